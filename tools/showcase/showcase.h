// The media layer's example program: one screen of shapes, a flood fill,
// texts with style marks, a picture, a GIF frame and mouse areas.
#pragma once
int ShowcaseMain();

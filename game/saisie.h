// Name entry: the pupil types his surname and first name.
#pragma once

// Shows the theme and rules, reads both names, offers to restart or to
// confirm; returns with Joueur and its display copies set.
void SaisieInfos();

// The characters a name may hold: printable, and none that a file name
// cannot hold (/ \ : * ? " < > |). 1 accepted, 0 refused.
int CaractereNomAccepte(int ch);

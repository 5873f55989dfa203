// The plain text of a question written in HTML or Markdown, as the other
// quiz systems export it: tags dropped, entities read, the pictures and
// sounds it names kept apart.
#pragma once

#include <string>
#include <vector>

// The files an HTML text names: "<img src=…>" pictures and "<a href=…>"
// links to a sound; each by its file name alone ("@@PLUGINFILE@@/",
// folders and "%20" escapes removed), in the order of the text.
struct MediasTexte {
    std::vector<std::string> images;
    std::vector<std::string> sons;
};

// "&eacute;", "&#233;", "&#xE9;" and the like as UTF-8; an unknown or
// unclosed entity stays as written.
std::string DecodeEntites(const std::string& texte);

// The plain text of an HTML text (UTF-8): tags dropped (a "<" that opens no
// tag, as in "3 < 5", stays), line breaks and paragraphs as spaces,
// entities read, spaces run together. The media it names go to `medias`.
std::string SansHtml(const std::string& texte, MediasTexte& medias);

// The plain text of a Markdown text: emphasis marks, heading marks and link
// targets dropped, "![texte](image)" kept as a picture; HTML inside is read
// as by SansHtml.
std::string SansMarkdown(const std::string& texte, MediasTexte& medias);

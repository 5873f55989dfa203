// Text from the data files put into an HTML page (the results page, the
// workshop's pages): the one escaper, so that a pupil named
// "<img src=x onerror=…>" shows as that text wherever he is shown.
#pragma once

#include <string>

// `texte` with the five characters HTML gives a meaning (& < > " ')
// escaped; usable between tags and inside a quoted attribute.
std::string EchappeHtml(const std::string& texte);

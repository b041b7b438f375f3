#include "core/language.h"

#include <clocale>
#include <cstring>

namespace {

constexpr const char* kDomain = "valmora";

} // namespace

void setUpLanguage(const std::string& localeDir) {
    std::setlocale(LC_ALL, "");
    // A decimal comma would change what the settings parser and --timedemo read and print.
    std::setlocale(LC_NUMERIC, "C");
    bindtextdomain(kDomain, localeDir.c_str());
    bind_textdomain_codeset(kDomain, "UTF-8");
    textdomain(kDomain);
}

std::string catalogueLanguage() {
    // The empty id stands for the catalogue's header, whose "Language:" line names it; not
    // written out as a literal, which the text extractor would take for a text to translate.
    const char* const headerId = "";
    const char* header = gettext(headerId);
    if (!header || !*header) return std::string();
    const char* line = std::strstr(header, "Language:");
    if (!line) return std::string();
    line += std::strlen("Language:");
    line += std::strspn(line, " ");
    return std::string(line, std::strcspn(line, " \n"));
}

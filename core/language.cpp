// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/language.h"

#include <clocale>
#include <cstring>

namespace {

constexpr const char* kDomain = "valmora";

} // namespace

void setUpLanguage(const std::string& localeDir) {
    // The messages alone: the rest of the game stays in the C locale, where Xlib writes the
    // window's title as a type every tool reads (under C.UTF-8 it names the type "UTF-8").
    std::setlocale(LC_MESSAGES, "");
    // The launcher's toolkit takes the whole locale; a decimal comma would still change what
    // the settings files and --timedemo read and print.
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

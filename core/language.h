// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// The programs' texts are Polish, and each is its own id in the gettext catalogues: with no
// catalogue for the player's language a text shows as it is written.
#pragma once
#include <libintl.h>

#include <string>

#define _(text) gettext(text)
// Marks a text kept in a table; it is translated where it is shown.
#define N_(text) text

// The language of the messages from the environment (LANGUAGE, LC_ALL, LC_MESSAGES, LANG),
// the catalogues from localeDir (<lang>/LC_MESSAGES/valmora.mo), always read as UTF-8.
// Numbers keep the C locale's form, so files and printed figures read the same in every
// language.
void setUpLanguage(const std::string& localeDir);

// The language of the catalogue in use ("en"), or "" when the texts show as written.
std::string catalogueLanguage();

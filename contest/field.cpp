// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "contest/field.h"

#include <algorithm>
#include <array>

#include "contest/contest_random.h"

namespace {

// Invented given names, surname stems and endings that sound of the nation: put together
// they name nobody we know of.
const char* const kGiven[] = {"Arvel", "Bodan", "Ciril",  "Davor", "Elmo",  "Ferko", "Gorin",
                              "Halvo", "Iskar", "Jorek",  "Kasto", "Lenik", "Marel", "Noral",
                              "Olbin", "Pavin", "Radim",  "Sveno", "Tarek", "Ulvan", "Vesto",
                              "Wilko", "Yaran", "Zoltin", "Edrik", "Anzel", "Brisko"};
const char* const kStem[] = {"Kal", "Mer",  "Trom", "Vel",  "Dran", "Sok", "Brel", "Halm", "Pem",
                             "Ost", "Rud",  "Lim",  "Gav",  "Zer",  "Fal", "Nim",  "Ket",  "Wol",
                             "Jar", "Selm", "Bor",  "Quen", "Tav",  "Lod", "Mirk", "Hes",  "Dun"};

struct Nation {
    const char* code;
    const char* endings[2];
};
const Nation kNations[] = {
    {"POL", {"owiak", "eczny"}},  {"NOR", {"stavik", "mork"}}, {"AUT", {"egrin", "hofler"}},
    {"GER", {"bichler", "wetz"}}, {"SLO", {"ovnik", "arec"}},  {"JPN", {"amura", "oshiba"}},
    {"FIN", {"ijarvo", "ounen"}}, {"SUI", {"ispach", "erli"}}, {"CZE", {"acek", "ourek"}},
    {"ITA", {"orelli", "azzo"}},  {"USA", {"ford", "ington"}}, {"CAN", {"ridge", "combe"}},
    {"FRA", {"ignac", "oret"}},   {"KAZ", {"abekov", "urin"}}, {"EST", {"ametsa", "ikk"}},
    {"BUL", {"evski", "arov"}},   {"TUR", {"oglan", "aslu"}},
};
constexpr int kNationCount = sizeof kNations / sizeof kNations[0];
constexpr int kGivenCount = sizeof kGiven / sizeof kGiven[0];
constexpr int kStemCount = sizeof kStem / sizeof kStem[0];

// The best skill of the field and the weakest; the lead tunes what they mean in metres.
constexpr float kStrongest = 0.95f, kWeakest = 0.2f, kSpread = 0.06f;

std::array<FieldJumper, kFieldSize> makeField() {
    std::array<FieldJumper, kFieldSize> field;
    // A fixed seed: the field is data, the same in every run.
    ContestRandom random{0x5EA5011u};
    for (int i = 0; i < kFieldSize; ++i) {
        const Nation& nation = kNations[(i * 7 + i / kNationCount) % kNationCount];
        std::string surname = kStem[(i * 11) % kStemCount];
        surname += nation.endings[(i / kNationCount) % 2];
        FieldJumper& j = field[i];
        j.name = std::string(kGiven[(i * 5) % kGivenCount]) + " " + surname;
        j.nation = nation.code;
        const float base = kStrongest - (kStrongest - kWeakest) * i / (kFieldSize - 1);
        float* skills[3] = {&j.takeOff, &j.lean, &j.landing};
        for (float* skill : skills) {
            const float jitter = kSpread * (random.below(2001) - 1000) / 1000.0f;
            *skill = std::clamp(base + jitter, 0.0f, 1.0f);
        }
    }
    return field;
}

} // namespace

const FieldJumper& fieldJumper(int index) {
    static const std::array<FieldJumper, kFieldSize> field = makeField();
    return field[std::clamp(index, 0, kFieldSize - 1)];
}

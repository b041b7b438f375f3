// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// The launcher in English (run with LANGUAGE=en), read back through its widgets: every text it
// shows is one of the English catalogue's, and the settings files get the values the Polish
// choices give them.
#include "setup_test_support.h"

#include "core/language.h"
#include "setup/settings_writer.h"
#include "setup/setup_dialog.h"
#include "setup/setup_warnings.h"

#include <gtest/gtest.h>
#include <gtkmm/frame.h>
#include <gtkmm/grid.h>
#include <gtkmm/label.h>

#include <cstdio>
#include <set>
#include <string>
#include <vector>

namespace {

// The English texts of po/en.po, each ended by a NUL by gettext's own tool.
std::set<std::string> englishTexts() {
    std::set<std::string> texts;
    std::string text;
    FILE* in = popen("msgexec -i " SOURCE_DIR "/po/en.po 0", "r");
    for (int c; in && (c = std::fgetc(in)) != EOF;) {
        if (c) {
            text += static_cast<char>(c);
            continue;
        }
        texts.insert(text);
        text.clear();
    }
    if (in) pclose(in);
    return texts;
}

class EnglishDialog : public SetupDialog {
  public:
    explicit EnglishDialog(const std::string& launcherDir) : SetupDialog(launcherDir) {}
    std::vector<std::string> messages;

  protected:
    void showMessage(const Glib::ustring& caption, const Glib::ustring& text,
                     MessageIcon) override {
        messages.push_back(caption.raw());
        messages.push_back(text.raw());
    }
};

// Every text the dialog shows: title, group captions, labels, list items, buttons, menu.
std::vector<std::string> shownTexts(EnglishDialog& dialog) {
    std::vector<std::string> texts = {
        dialog.get_title().raw(), dialog.okButton().get_label(), dialog.startButton().get_label(),
        dialog.aboutItem().get_label(), dialog.menuButton().get_tooltip_text()};
    for (Gtk::Widget* child : dialog.groups().get_children()) {
        auto* frame = dynamic_cast<Gtk::Frame*>(child);
        if (!frame) continue;
        texts.push_back(frame->get_label());
        for (Gtk::Widget* cell : dynamic_cast<Gtk::Grid*>(frame->get_child())->get_children())
            if (auto* label = dynamic_cast<Gtk::Label*>(cell)) texts.push_back(label->get_text());
    }
    for (int i = 0; i < choiceListCount; ++i)
        for (const auto& row : dialog.list(static_cast<ChoiceList>(i)).get_model()->children()) {
            Glib::ustring text;
            row.get_value(0, text);
            texts.push_back(text.raw());
        }
    return texts;
}

// A list item of numbers alone, such as 640x480.
bool aSize(const std::string& text) {
    return text.find_first_not_of("0123456789x") == std::string::npos;
}

} // namespace

TEST(SetupInEnglish, ShowsOnlyTheEnglishTextsAndWritesThePolishChoicesValues) {
    setUpLanguage(GAME_DIR "/locale");
    ASSERT_EQ(catalogueLanguage(), "en") << "run with LANGUAGE=en and the built catalogues";
    const std::set<std::string> english = englishTexts();
    ASSERT_GT(english.size(), 50u);

    TempDir launcher(false);
    TempDir work;
    EnglishDialog dialog(launcher.path());
    const std::vector<std::string> shown = shownTexts(dialog);
    int words = 0;
    for (const std::string& text : shown) {
        if (aSize(text)) continue;
        ++words;
        EXPECT_TRUE(english.count(text)) << "not an English text: " << text;
    }
    EXPECT_GE(words, 50) << "labels, captions, items and buttons";

    // Night on the ski-flying hill, snow in summer: both notes, in English, and the files of
    // the same choices made in Polish.
    SettingsChoices choices;
    for (int i = 0; i < choiceListCount; ++i) {
        const ChoiceList list = static_cast<ChoiceList>(i);
        choices.of(list) = choiceItems(list).back();
        dialog.list(list).set_active_id(choices.of(list));
        EXPECT_NE(dialog.list(list).get_active_text().raw(), "");
    }
    choices.weatherChoice = "Noc";
    choices.seasonChoice = "lato";
    choices.precipitationChoice = "śnieg";
    dialog.list(ChoiceList::Weather).set_active_id(choices.weatherChoice);
    dialog.list(ChoiceList::Season).set_active_id(choices.seasonChoice);
    dialog.list(ChoiceList::Precipitation).set_active_id(choices.precipitationChoice);
    EXPECT_EQ(dialog.list(ChoiceList::Weather).get_active_text(), "Night");
    dialog.okButton().clicked();
    ASSERT_EQ(dialog.messages.size(), 4u) << "two notes, each a caption and a text";
    for (const std::string& text : dialog.messages)
        EXPECT_TRUE(english.count(text)) << "not an English text: " << text;
    const auto written = dataFiles();
    {
        TempDir polish;
        ASSERT_TRUE(writeSettingsFiles(choices).empty());
        EXPECT_EQ(written, dataFiles());
    }
    EXPECT_EQ(written.at("hill.dat"), "3");
}

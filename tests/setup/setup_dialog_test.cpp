// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// The launcher's dialog, built for real and used through its widgets. Message boxes are
// answered by the test through the dialog's message hook.
#include "expected_settings.h"
#include "setup_test_support.h"

#include "setup/about_dialog.h"
#include "setup/setup_dialog.h"

#include <gdk/gdkkeysyms.h>
#include <glibmm/main.h>
#include <gtest/gtest.h>
#include <gtkmm/frame.h>
#include <gtkmm/grid.h>
#include <gtkmm/image.h>
#include <gtkmm/label.h>
#include <gtkmm/menu.h>

#include <cstdlib>
#include <sys/stat.h>

namespace {

void flush() {
    for (int i = 0; i < 200 && gtk_events_pending(); ++i)
        gtk_main_iteration_do(FALSE);
}

// Runs the main loop until the condition holds, for at most about five seconds.
template <class Condition> bool runUntil(Condition condition) {
    for (int i = 0; i < 5000 && !condition(); ++i) {
        while (gtk_events_pending())
            gtk_main_iteration_do(FALSE);
        g_usleep(1000);
    }
    return condition();
}

void showAndSettle(Gtk::Window& window) {
    window.show();
    for (int i = 0; i < 200 && !(window.get_mapped() && window.get_allocated_width() > 1); ++i) {
        gtk_main_iteration_do(FALSE);
        g_usleep(1000);
    }
    flush();
}

// A key as the display server would deliver it to the window.
void pressKey(Gtk::Window& window, guint keyval, guint state = 0) {
    GdkDisplay* display = gdk_display_get_default();
    GdkEvent* event = gdk_event_new(GDK_KEY_PRESS);
    event->key.window = GDK_WINDOW(g_object_ref(window.get_window()->gobj()));
    event->key.time = GDK_CURRENT_TIME;
    event->key.keyval = keyval;
    event->key.state = state;
    GdkKeymapKey* keys = nullptr;
    gint count = 0;
    if (gdk_keymap_get_entries_for_keyval(gdk_keymap_get_for_display(display), keyval, &keys,
                                          &count) &&
        count > 0) {
        event->key.hardware_keycode = static_cast<guint16>(keys[0].keycode);
        event->key.group = static_cast<guint8>(keys[0].group);
    }
    g_free(keys);
    gdk_event_set_device(event, gdk_seat_get_keyboard(gdk_display_get_default_seat(display)));
    gtk_main_do_event(event);
    event->type = GDK_KEY_RELEASE;
    gtk_main_do_event(event);
    gdk_event_free(event);
    flush();
}

std::vector<std::string> shownItems(Gtk::ComboBoxText& combo) {
    std::vector<std::string> items;
    for (const auto& row : combo.get_model()->children()) {
        Glib::ustring text;
        row.get_value(0, text);
        items.push_back(text.raw());
    }
    return items;
}

bool focusIsIn(Gtk::Window& window, Gtk::Widget& widget) {
    Gtk::Widget* focus = window.get_focus();
    return focus && (focus == &widget || focus->is_ancestor(widget));
}

struct Rect {
    int x, y, width, height;
    double middleY() const { return y + height / 2.0; }
};

Rect placeOf(Gtk::Widget& widget, Gtk::Widget& window) {
    int x = 0;
    int y = 0;
    widget.translate_coordinates(window, 0, 0, x, y);
    return {x, y, widget.get_allocated_width(), widget.get_allocated_height()};
}

struct Message {
    std::string caption;
    std::string text;
    MessageIcon icon;
    std::map<std::string, std::string> filesAtThatTime;
    bool gameStartedAtThatTime;
};

// The real dialog, with every message box answered at once and recorded.
class AnsweringDialog : public SetupDialog {
  public:
    explicit AnsweringDialog(const std::string& launcherDir, std::string gameRecord = "")
        : SetupDialog(launcherDir), gameRecord_(std::move(gameRecord)) {}
    std::vector<Message> messages;

  protected:
    void showMessage(const Glib::ustring& caption, const Glib::ustring& text,
                     MessageIcon icon) override {
        messages.push_back({caption.raw(), text.raw(), icon, dataFiles(),
                            !gameRecord_.empty() && pathExists(gameRecord_)});
    }

  private:
    std::string gameRecord_;
};

// A launcher directory without a game and without icons.
const std::string& emptyLauncherDir() {
    static TempDir dir(false);
    return dir.path();
}

void choose(SetupDialog& dialog, ChoiceList list, const std::string& item) {
    dialog.list(list).set_active_text(item);
    ASSERT_EQ(dialog.list(list).get_active_text().raw(), item);
}

// The icons beside a portable launcher, laid out as the build makes them.
void writeIcons(const std::string& launcherDir) {
    for (int size : {32, 16}) {
        const std::string dir = launcherDir + "/icons/hicolor/" + std::to_string(size) + "x" +
                                std::to_string(size) + "/apps";
        ASSERT_EQ(std::system(("mkdir -p '" + dir + "'").c_str()), 0);
        auto pixbuf = Gdk::Pixbuf::create(Gdk::COLORSPACE_RGB, true, 8, size, size);
        pixbuf->fill(0x2060c0ff);
        pixbuf->save(dir + "/valmora.png", "png");
    }
}

// What a person sees in a message box that the dialog has put up: found among the open
// windows, read from its widgets and closed with its own OK button.
struct SeenBox {
    std::string caption;
    std::vector<std::string> texts; // the labels outside the buttons
    std::vector<std::string> icons;
    std::vector<std::string> buttons;
    bool modal = false;
    bool overTheDialog = false;
    std::map<std::string, std::string> filesAtThatTime;
};

void readWidgets(Gtk::Widget& widget, SeenBox& seen, Gtk::Button*& ok) {
    if (auto* button = dynamic_cast<Gtk::Button*>(&widget)) {
        seen.buttons.push_back(button->get_label());
        if (button->get_label() == "OK") ok = button;
        return;
    }
    if (auto* label = dynamic_cast<Gtk::Label*>(&widget)) seen.texts.push_back(label->get_text());
    if (auto* image = dynamic_cast<Gtk::Image*>(&widget))
        seen.icons.push_back(image->get_icon_name());
    if (auto* container = dynamic_cast<Gtk::Container*>(&widget))
        for (Gtk::Widget* child : container->get_children())
            readWidgets(*child, seen, ok);
}

// Answers every box that opens over the dialog until the connection is dropped.
// A timeout rather than an idle source, so a loop that runs while events are pending ends
// even when no box comes.
sigc::connection answerBoxes(Gtk::Window& dialog, std::vector<SeenBox>& seen) {
    return Glib::signal_timeout().connect(
        [&dialog, &seen] {
            for (Gtk::Window* window : Gtk::Window::list_toplevels()) {
                if (window == &dialog || !window->get_visible() || !window->get_mapped()) continue;
                SeenBox box;
                box.caption = window->get_title();
                box.modal = window->get_modal();
                box.overTheDialog = window->get_transient_for() == &dialog;
                box.filesAtThatTime = dataFiles();
                Gtk::Button* ok = nullptr;
                if (Gtk::Widget* child = window->get_child()) readWidgets(*child, box, ok);
                seen.push_back(box);
                if (ok)
                    ok->clicked();
                else
                    window->hide(); // recorded without an OK button: the test fails on it
            }
            return true;
        },
        5);
}
} // namespace

TEST(SetupDialogLayout, GroupsLabelsAndListsStandInTemplateOrder) {
    AnsweringDialog dialog(emptyLauncherDir());
    EXPECT_EQ(dialog.get_title(), "setup");

    struct Row {
        const char* label;
        ChoiceList list;
        std::vector<std::string> items;
    };
    const std::vector<std::string> suit{"czerwony", "zielony", "niebieski",
                                        "czarny",   "biały",   "żółty"};
    const std::vector<std::pair<std::string, std::vector<Row>>> expected{
        {"Okno", {{"Rozdzielczość:", ChoiceList::Resolution, {"640x480", "800x600", "1024x768"}}}},
        {"Skocznia",
         {{"Skocznia:", ChoiceList::Hill, {"Finlandia K90", "Polska K120", "Czechy K180"}}}},
        {"Gra",
         {{"Prędkość gry:", ChoiceList::Speed, {"Powolna", "Normalna", "Szybka"}},
          {"Poziom detali:", ChoiceList::Detail, {"niski", "średni", "wysoki", "bardzo wysoki"}}}},
        {"Pogoda",
         {{"Warunki pogodowe:", ChoiceList::Weather, {"Mgła", "Dzień", "Noc"}},
          {"Pora roku:", ChoiceList::Season, {"zima", "lato"}},
          {"Opady:", ChoiceList::Precipitation, {"brak", "deszcz", "śnieg"}}}},
        {"Skoczek",
         {{"Kombinezon:", ChoiceList::Suit, suit},
          {"Kask:", ChoiceList::Helmet, suit},
          {"Narty:",
           ChoiceList::Skis,
           {"czerwone", "zielone", "niebieskie", "czarne", "białe", "żółte"}}}},
    };

    std::vector<Gtk::Widget*> children = dialog.groups().get_children();
    ASSERT_EQ(children.size(), expected.size() + 1); // the groups, then the button row
    for (std::size_t g = 0; g < expected.size(); ++g) {
        auto* frame = dynamic_cast<Gtk::Frame*>(children[g]);
        ASSERT_NE(frame, nullptr);
        EXPECT_EQ(frame->get_label(), expected[g].first);
        auto* grid = dynamic_cast<Gtk::Grid*>(frame->get_child());
        ASSERT_NE(grid, nullptr);
        EXPECT_EQ(grid->get_children().size(), 2 * expected[g].second.size());
        for (std::size_t r = 0; r < expected[g].second.size(); ++r) {
            const Row& row = expected[g].second[r];
            auto* label = dynamic_cast<Gtk::Label*>(grid->get_child_at(0, static_cast<int>(r)));
            ASSERT_NE(label, nullptr);
            EXPECT_EQ(label->get_text(), row.label);
            Gtk::ComboBoxText& combo = dialog.list(row.list);
            EXPECT_EQ(grid->get_child_at(1, static_cast<int>(r)), &combo) << row.label;
            EXPECT_FALSE(combo.get_has_entry()) << row.label;
            EXPECT_EQ(shownItems(combo), row.items) << row.label;
            EXPECT_EQ(combo.get_active_row_number(), -1) << row.label;
            EXPECT_EQ(combo.get_active_text(), "") << row.label;
        }
    }
}

TEST(SetupDialogLayout, ButtonsCarryTheirMnemonics) {
    AnsweringDialog dialog(emptyLauncherDir());
    EXPECT_EQ(dialog.okButton().get_label(), "_OK");
    EXPECT_EQ(dialog.startButton().get_label(), "_Uruchom grę");
    EXPECT_TRUE(dialog.okButton().get_use_underline());
    EXPECT_TRUE(dialog.startButton().get_use_underline());
    auto* okLabel = dynamic_cast<Gtk::Label*>(dialog.okButton().get_child());
    auto* startLabel = dynamic_cast<Gtk::Label*>(dialog.startButton().get_child());
    ASSERT_NE(okLabel, nullptr);
    ASSERT_NE(startLabel, nullptr);
    EXPECT_EQ(okLabel->get_text(), "OK");
    EXPECT_EQ(startLabel->get_text(), "Uruchom grę");
    EXPECT_EQ(okLabel->get_mnemonic_keyval(), GDK_KEY_o);
    EXPECT_EQ(startLabel->get_mnemonic_keyval(), GDK_KEY_u);
}

TEST(SetupDialogLayout, LabelsBesideTheirListsAndNothingCutOff) {
    AnsweringDialog dialog(emptyLauncherDir());
    showAndSettle(dialog);
    Gtk::Widget& content = *dialog.get_child();
    const Rect window = placeOf(content, content);

    int listX = -1;
    int listWidth = -1;
    int previousBottom = 0;
    std::map<std::string, int> textStarts; // where each label's text begins, in the dialog
    std::vector<Gtk::Widget*> children = dialog.groups().get_children();
    for (std::size_t g = 0; g + 1 < children.size(); ++g) {
        auto* frame = dynamic_cast<Gtk::Frame*>(children[g]);
        ASSERT_NE(frame, nullptr);
        const Rect box = placeOf(*frame, content);
        EXPECT_GT(box.y, previousBottom) << "groups stand apart, top to bottom";
        previousBottom = box.y + box.height;
        auto* grid = dynamic_cast<Gtk::Grid*>(frame->get_child());
        for (int r = 0; grid->get_child_at(0, r); ++r) {
            Gtk::Widget& label = *grid->get_child_at(0, r);
            Gtk::Widget& list = *grid->get_child_at(1, r);
            const Rect l = placeOf(label, content);
            const Rect c = placeOf(list, content);
            EXPECT_NEAR(l.middleY(), c.middleY(), 1.0) << "row " << r << " of group " << g;
            EXPECT_LT(l.x + l.width, c.x);
            auto* text = dynamic_cast<Gtk::Label*>(&label);
            ASSERT_NE(text, nullptr);
            int layoutX = 0;
            int layoutY = 0;
            text->get_layout_offsets(layoutX, layoutY);
            const int textX = l.x + layoutX - text->get_allocation().get_x();
            textStarts[text->get_text()] = textX;
            int textWidth = 0;
            int textHeight = 0;
            text->get_layout()->get_pixel_size(textWidth, textHeight);
            if (listX < 0) {
                listX = c.x;
                listWidth = c.width;
            }
            EXPECT_EQ(c.x, listX) << "lists share one column";
            EXPECT_EQ(c.width, listWidth);
            // The whole text shows, every list has the room it asks for, inside its group.
            EXPECT_GE(textX, l.x);
            EXPECT_LE(textX + textWidth, l.x + l.width) << text->get_text();
            EXPECT_LE(textHeight, l.height) << text->get_text();
            int minimum = 0;
            int natural = 0;
            list.get_preferred_width(minimum, natural);
            EXPECT_GE(c.width, minimum);
            list.get_preferred_height(minimum, natural);
            EXPECT_GE(c.height, minimum);
            EXPECT_GE(l.x, box.x);
            EXPECT_LE(c.x + c.width, box.x + box.width);
            EXPECT_LE(c.y + c.height, box.y + box.height);
        }
    }

    // The texts are left-aligned and start where the template starts them, in dialog units
    // across; one unit is measured between the two labels that lie furthest apart.
    const std::map<std::string, double> templateX{
        {"Rozdzielczość:", 31}, {"Skocznia:", 43},         {"Prędkość gry:", 36},
        {"Poziom detali:", 37}, {"Warunki pogodowe:", 17}, {"Pora roku:", 48},
        {"Opady:", 57},         {"Kombinezon:", 43},       {"Kask:", 63},
        {"Narty:", 63},
    };
    ASSERT_EQ(textStarts.size(), templateX.size());
    const double unit = (textStarts["Kask:"] - textStarts["Warunki pogodowe:"]) / (63.0 - 17.0);
    EXPECT_GT(unit, 1.0);
    for (const auto& [label, x] : templateX)
        EXPECT_NEAR(textStarts[label], textStarts["Warunki pogodowe:"] + (x - 17) * unit, 2.0)
            << label;

    const Rect ok = placeOf(dialog.okButton(), content);
    const Rect start = placeOf(dialog.startButton(), content);
    EXPECT_GT(ok.y, previousBottom);
    EXPECT_EQ(ok.y, start.y);
    EXPECT_LT(ok.x + ok.width, start.x);
    EXPECT_LT(ok.x, window.width / 4) << "OK at the bottom left";
    EXPECT_GT(start.x + start.width, window.width * 3 / 4) << "start at the bottom right";
    EXPECT_LE(start.x + start.width, window.width);
    EXPECT_LE(ok.y + ok.height, window.height);

    // The template is 196 x 316 dialog units; a dialog unit down is about the same as one
    // across in these fonts, so the dialog keeps roughly the template's tall shape.
    const double shape = static_cast<double>(window.height) / window.width;
    EXPECT_GT(shape, 316.0 / 196.0 * 0.8);
    EXPECT_LT(shape, 316.0 / 196.0 * 1.3);
    dialog.hide();
}

TEST(SetupDialogKeyboard, FocusStartsOnResolutionAndTabFollowsTemplateOrder) {
    AnsweringDialog dialog(emptyLauncherDir());
    showAndSettle(dialog);
    EXPECT_TRUE(focusIsIn(dialog, dialog.list(ChoiceList::Resolution)));

    std::vector<Gtk::Widget*> order{&dialog.list(ChoiceList::Resolution),
                                    &dialog.list(ChoiceList::Speed),
                                    &dialog.list(ChoiceList::Weather),
                                    &dialog.list(ChoiceList::Suit),
                                    &dialog.list(ChoiceList::Helmet),
                                    &dialog.list(ChoiceList::Skis),
                                    &dialog.startButton(),
                                    &dialog.list(ChoiceList::Season),
                                    &dialog.okButton(),
                                    &dialog.list(ChoiceList::Detail),
                                    &dialog.list(ChoiceList::Precipitation),
                                    &dialog.list(ChoiceList::Hill)};
    for (std::size_t i = 1; i <= order.size(); ++i) {
        pressKey(dialog, GDK_KEY_Tab);
        EXPECT_TRUE(focusIsIn(dialog, *order[i % order.size()])) << "Tab number " << i;
    }
    for (std::size_t i = order.size(); i-- > 0;) {
        pressKey(dialog, GDK_KEY_ISO_Left_Tab, GDK_SHIFT_MASK);
        EXPECT_TRUE(focusIsIn(dialog, *order[i])) << "Shift+Tab back to " << i;
    }
    dialog.hide();
}

TEST(SetupDialogKeyboard, ListKeysPickItemsAsInAClassicDropDown) {
    AnsweringDialog dialog(emptyLauncherDir());
    showAndSettle(dialog);
    Gtk::ComboBoxText& resolution = dialog.list(ChoiceList::Resolution);
    pressKey(dialog, GDK_KEY_End);
    EXPECT_EQ(resolution.get_active_text(), "1024x768");
    pressKey(dialog, GDK_KEY_Home);
    EXPECT_EQ(resolution.get_active_text(), "640x480");
    pressKey(dialog, GDK_KEY_Down);
    EXPECT_EQ(resolution.get_active_text(), "800x600");

    // A letter picks the next item that starts with it, round and round.
    pressKey(dialog, GDK_KEY_ISO_Left_Tab, GDK_SHIFT_MASK); // hill
    Gtk::ComboBoxText& hill = dialog.list(ChoiceList::Hill);
    pressKey(dialog, GDK_KEY_p);
    EXPECT_EQ(hill.get_active_text(), "Polska K120");
    pressKey(dialog, GDK_KEY_C);
    EXPECT_EQ(hill.get_active_text(), "Czechy K180");
    pressKey(dialog, GDK_KEY_x);
    EXPECT_EQ(hill.get_active_text(), "Czechy K180");
    dialog.hide();
}

TEST(SetupDialogKeyboard, AltOPressesOkAndEndsTheDialog) {
    TempDir work;
    AnsweringDialog dialog(emptyLauncherDir());
    showAndSettle(dialog);
    pressKey(dialog, GDK_KEY_End);
    pressKey(dialog, GDK_KEY_o, GDK_MOD1_MASK);
    // A button activated from the keyboard shows itself pressed for a moment before it acts.
    EXPECT_TRUE(runUntil([&dialog] { return !dialog.get_visible(); }));
    EXPECT_EQ(dataFiles(),
              (std::map<std::string, std::string>{{"resx.dat", "1024"}, {"resy.dat", "768"}}));
}

TEST(SetupDialogKeyboard, EscapeAndTheCloseBoxCloseWithoutWriting) {
    TempDir work;
    {
        AnsweringDialog dialog(emptyLauncherDir());
        showAndSettle(dialog);
        choose(dialog, ChoiceList::Hill, "Polska K120");
        pressKey(dialog, GDK_KEY_Escape);
        EXPECT_FALSE(dialog.get_visible());
    }
    {
        AnsweringDialog dialog(emptyLauncherDir());
        showAndSettle(dialog);
        choose(dialog, ChoiceList::Hill, "Polska K120");
        dialog.close();
        flush();
        EXPECT_FALSE(dialog.get_visible());
        EXPECT_TRUE(dialog.messages.empty());
    }
    EXPECT_FALSE(pathExists("Data"));
}

TEST(SetupDialogWriting, OkRightAfterStartWritesNoFile) {
    TempDir work;
    AnsweringDialog dialog(emptyLauncherDir());
    showAndSettle(dialog);
    dialog.okButton().clicked();
    EXPECT_FALSE(dialog.get_visible());
    EXPECT_FALSE(pathExists("Data"));
    EXPECT_TRUE(dialog.messages.empty());
}

TEST(SetupDialogWriting, OnlyTheHillWritesOnlyHillDatAndStartsTheGame) {
    TempDir launcher(false);
    TempDir work;
    const std::string record = launcher.path() + "/record";
    writeStandInGame(launcher.path(), "game", record);
    AnsweringDialog dialog(launcher.path());
    showAndSettle(dialog);
    choose(dialog, ChoiceList::Hill, "Czechy K180");
    dialog.startButton().clicked();
    EXPECT_FALSE(dialog.get_visible());
    EXPECT_EQ(dataFiles(), (std::map<std::string, std::string>{{"hill.dat", "3"}}));
    EXPECT_TRUE(dialog.messages.empty());
    ASSERT_TRUE(waitForFile(record));
    EXPECT_EQ(readFile(record), "game " + realPath(work.path()) + "\n");
}

TEST(SetupDialogWriting, EveryChoiceOfEveryListWritesItsFilesByteExact) {
    for (const ExpectedChoice& expected : expectedChoices()) {
        TempDir work;
        AnsweringDialog dialog(emptyLauncherDir());
        choose(dialog, expected.list, expected.item);
        dialog.okButton().clicked();
        EXPECT_EQ(dataFiles(), expected.files) << expected.item;
        EXPECT_EQ(dialog.choices().of(expected.list), expected.item);
    }
}

TEST(SetupDialogWriting, AllTenListsTogetherWriteEveryGroup) {
    TempDir work;
    AnsweringDialog dialog(emptyLauncherDir());
    choose(dialog, ChoiceList::Resolution, "640x480");
    choose(dialog, ChoiceList::Speed, "Normalna");
    choose(dialog, ChoiceList::Weather, "Mgła");
    choose(dialog, ChoiceList::Suit, "czarny");
    choose(dialog, ChoiceList::Helmet, "niebieski");
    choose(dialog, ChoiceList::Skis, "białe");
    choose(dialog, ChoiceList::Season, "zima");
    choose(dialog, ChoiceList::Detail, "wysoki");
    choose(dialog, ChoiceList::Precipitation, "brak");
    choose(dialog, ChoiceList::Hill, "Finlandia K90");
    dialog.okButton().clicked();
    const std::map<std::string, std::string> expected{
        {"resx.dat", "640"},  {"resy.dat", "480"},   {"tf.dat", "2"},       {"dR.dat", "4"},
        {"dG.dat", "5"},      {"dB.dat", "6"},       {"fog.dat", "1"},      {"suitR.dat", "0"},
        {"suitG.dat", "0"},   {"suitB.dat", "0"},    {"helmR.dat", "0"},    {"helmG.dat", "0"},
        {"helmB.dat", "199"}, {"skiR.dat", "199.0"}, {"skiG.dat", "199.0"}, {"skiB.dat", "199.0"},
        {"winsum.dat", "0"},  {"det.dat", "3"},      {"opad.dat", "1"},     {"hill.dat", "1"},
    };
    EXPECT_EQ(dataFiles(), expected);
    EXPECT_TRUE(dialog.messages.empty());
}

TEST(SetupDialogWarnings, NightThenSnowAfterTheFilesOnOk) {
    TempDir work;
    AnsweringDialog dialog(emptyLauncherDir());
    choose(dialog, ChoiceList::Hill, "Czechy K180");
    choose(dialog, ChoiceList::Weather, "Noc");
    choose(dialog, ChoiceList::Season, "lato");
    choose(dialog, ChoiceList::Precipitation, "śnieg");
    dialog.okButton().clicked();

    const std::map<std::string, std::string> written{
        {"hill.dat", "3"}, {"dR.dat", "0"},     {"dG.dat", "0"},   {"dB.dat", "8"},
        {"fog.dat", "9"},  {"winsum.dat", "1"}, {"opad.dat", "2"},
    };
    ASSERT_EQ(dialog.messages.size(), 2u);
    EXPECT_EQ(dialog.messages[0].caption, "Uwagi:");
    EXPECT_EQ(dialog.messages[0].text, nightWarningWithoutStop());
    EXPECT_EQ(dialog.messages[0].text.back(), 'a') << "the OK path has no final full stop";
    EXPECT_EQ(dialog.messages[1].caption, "Uwagi:");
    EXPECT_EQ(dialog.messages[1].text, snowWarning());
    for (const Message& message : dialog.messages) {
        EXPECT_EQ(message.icon, MessageIcon::Information);
        EXPECT_EQ(message.filesAtThatTime, written) << "the notes come after all files";
    }
    EXPECT_EQ(dataFiles(), written) << "the notes change nothing";
    EXPECT_FALSE(dialog.get_visible());
}

TEST(SetupDialogWarnings, StartPathShowsTheNightNoteWithItsFullStopBeforeTheGameStarts) {
    TempDir launcher(false);
    TempDir work;
    const std::string record = launcher.path() + "/record";
    writeStandInGame(launcher.path(), "game", record);
    AnsweringDialog dialog(launcher.path(), record);
    choose(dialog, ChoiceList::Hill, "Czechy K180");
    choose(dialog, ChoiceList::Weather, "Noc");
    choose(dialog, ChoiceList::Season, "lato");
    choose(dialog, ChoiceList::Precipitation, "śnieg");
    dialog.startButton().clicked();
    ASSERT_EQ(dialog.messages.size(), 2u);
    EXPECT_EQ(dialog.messages[0].text, std::string(nightWarningWithoutStop()) + ".");
    EXPECT_EQ(dialog.messages[1].text, snowWarning());
    EXPECT_FALSE(dialog.messages[0].gameStartedAtThatTime);
    EXPECT_FALSE(dialog.messages[1].gameStartedAtThatTime);
    ASSERT_TRUE(waitForFile(record));
    EXPECT_EQ(readFile(record), "game " + realPath(work.path()) + "\n");
}

TEST(SetupDialogWarnings, OnlyTheMatchingNote) {
    const struct {
        const char* hill;
        const char* weather;
        const char* season;
        const char* precipitation;
        std::vector<std::string> texts;
    } cases[] = {
        {"Czechy K180", "Noc", "zima", "śnieg", {nightWarningWithoutStop()}},
        {"Polska K120", "Noc", "lato", "śnieg", {snowWarning()}},
        {"Czechy K180", "Dzień", "lato", "deszcz", {}},
        {"Finlandia K90", "Noc", "zima", "śnieg", {}},
    };
    for (const auto& c : cases) {
        TempDir work;
        AnsweringDialog dialog(emptyLauncherDir());
        choose(dialog, ChoiceList::Hill, c.hill);
        choose(dialog, ChoiceList::Weather, c.weather);
        choose(dialog, ChoiceList::Season, c.season);
        choose(dialog, ChoiceList::Precipitation, c.precipitation);
        dialog.okButton().clicked();
        std::vector<std::string> texts;
        for (const Message& message : dialog.messages)
            texts.push_back(message.text);
        EXPECT_EQ(texts, c.texts) << c.hill << " " << c.weather << " " << c.season;
    }
}

TEST(SetupDialogWarnings, RealBoxesShowCaptionIconAndTextAndCloseWithTheirOk) {
    TempDir work;
    mkdir("Data", 0777);
    mkdir("Data/opad.dat", 0777); // cannot be written, whoever runs the test
    SetupDialog dialog(emptyLauncherDir());
    showAndSettle(dialog);
    choose(dialog, ChoiceList::Hill, "Czechy K180");
    choose(dialog, ChoiceList::Weather, "Noc");
    choose(dialog, ChoiceList::Season, "lato");
    choose(dialog, ChoiceList::Precipitation, "śnieg");
    std::vector<SeenBox> seen;
    sigc::connection answer = answerBoxes(dialog, seen);
    dialog.okButton().clicked();
    answer.disconnect();

    const std::map<std::string, std::string> written{
        {"hill.dat", "3"}, {"opad.dat", "<dir>"}, {"winsum.dat", "1"}, {"dR.dat", "0"},
        {"dG.dat", "0"},   {"dB.dat", "8"},       {"fog.dat", "9"},
    };
    const std::vector<std::pair<std::string, std::string>> expected{
        {"Nie udało się zapisać plików:\nData/opad.dat: to nie jest plik", "dialog-warning"},
        {nightWarningWithoutStop(), "dialog-information"},
        {snowWarning(), "dialog-information"},
    };
    ASSERT_EQ(seen.size(), expected.size());
    for (std::size_t i = 0; i < seen.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(seen[i].caption, "Uwagi:");
        EXPECT_EQ(seen[i].texts, std::vector<std::string>{expected[i].first});
        EXPECT_EQ(seen[i].icons, std::vector<std::string>{expected[i].second});
        EXPECT_EQ(seen[i].buttons, std::vector<std::string>{"OK"});
        EXPECT_TRUE(seen[i].modal);
        EXPECT_TRUE(seen[i].overTheDialog);
        EXPECT_EQ(seen[i].filesAtThatTime, written) << "every box comes after all the files";
    }
    EXPECT_FALSE(dialog.get_visible());
}

TEST(SetupDialogFaults, MissingDataDirectoryIsCreated) {
    TempDir work;
    AnsweringDialog dialog(emptyLauncherDir());
    choose(dialog, ChoiceList::Speed, "Powolna");
    dialog.okButton().clicked();
    EXPECT_TRUE(isDirectory("Data"));
    EXPECT_EQ(dataFiles(), (std::map<std::string, std::string>{{"tf.dat", "1"}}));
    EXPECT_TRUE(dialog.messages.empty());
}

TEST(SetupDialogFaults, UnwritableFileIsReportedOnceBeforeTheNotes) {
    TempDir work;
    mkdir("Data", 0777);
    mkdir("Data/hill.dat", 0777); // cannot be opened as a file, whoever runs the test
    AnsweringDialog dialog(emptyLauncherDir());
    choose(dialog, ChoiceList::Hill, "Czechy K180");
    choose(dialog, ChoiceList::Weather, "Noc");
    dialog.okButton().clicked();
    ASSERT_EQ(dialog.messages.size(), 2u);
    EXPECT_EQ(dialog.messages[0].caption, "Uwagi:");
    EXPECT_EQ(dialog.messages[0].text,
              "Nie udało się zapisać plików:\nData/hill.dat: to nie jest plik");
    EXPECT_EQ(dialog.messages[0].icon, MessageIcon::Warning);
    EXPECT_EQ(dialog.messages[1].text, nightWarningWithoutStop());
    const std::map<std::string, std::string> expected{
        {"hill.dat", "<dir>"}, {"dR.dat", "0"}, {"dG.dat", "0"}, {"dB.dat", "8"}, {"fog.dat", "9"},
    };
    EXPECT_EQ(dialog.messages[0].filesAtThatTime, expected);
    EXPECT_EQ(dataFiles(), expected);
    EXPECT_FALSE(dialog.get_visible());
}

TEST(SetupDialogFaults, DataThatIsAFileListsEveryChosenFile) {
    TempDir launcher(false);
    TempDir work;
    const std::string record = launcher.path() + "/record";
    writeStandInGame(launcher.path(), "game", record);
    writeFile("Data", "");
    AnsweringDialog dialog(launcher.path());
    choose(dialog, ChoiceList::Season, "lato");
    choose(dialog, ChoiceList::Resolution, "800x600");
    dialog.startButton().clicked();
    ASSERT_EQ(dialog.messages.size(), 1u);
    EXPECT_EQ(dialog.messages[0].text,
              "Nie udało się zapisać plików:\nData/winsum.dat: brak folderu\n"
              "Data/resx.dat: brak folderu\nData/resy.dat: brak folderu");
    // The game still starts: it keeps whatever settings it had.
    EXPECT_TRUE(waitForFile(record));
}

TEST(SetupDialogAbout, MenuItemOpensTheAboutBox) {
    TempDir launcher(false);
    writeIcons(launcher.path());
    AnsweringDialog dialog(launcher.path());
    showAndSettle(dialog);

    EXPECT_EQ(dialog.menuButton().get_popup(), dialog.aboutItem().get_parent());
    EXPECT_EQ(dialog.aboutItem().get_label(), "_About setup...");
    EXPECT_TRUE(dialog.aboutItem().get_use_underline());

    struct Seen {
        bool found = false;
        std::string title, version, author, ok;
        bool hasIcon = false;
    } seen;
    sigc::connection answer = Glib::signal_idle().connect([&seen] {
        for (Gtk::Window* window : Gtk::Window::list_toplevels()) {
            auto* about = dynamic_cast<AboutDialog*>(window);
            if (!about || !about->get_visible()) continue;
            seen.found = true;
            seen.title = about->get_title();
            seen.version = about->versionLabel().get_text();
            seen.author = about->authorLabel().get_text();
            seen.ok = about->okButton().get_label();
            seen.hasIcon = static_cast<bool>(about->iconImage().get_pixbuf());
            about->okButton().clicked();
            return false;
        }
        return true;
    });
    dialog.aboutItem().activate();
    answer.disconnect();

    EXPECT_TRUE(seen.found);
    EXPECT_EQ(seen.title, "About setup");
    EXPECT_EQ(seen.version, "setup Version 1.0");
    EXPECT_EQ(seen.author.rfind("Copyright (C) ", 0), 0u) << seen.author;
    EXPECT_EQ(seen.ok, "OK");
    EXPECT_TRUE(seen.hasIcon);
    EXPECT_TRUE(dialog.get_visible()) << "the about box leaves the dialog open";
    dialog.hide();
}

TEST(SetupDialogAbout, AltSpaceOpensTheMenuAndEnterTheAboutBox) {
    AnsweringDialog dialog(emptyLauncherDir());
    showAndSettle(dialog);
    pressKey(dialog, GDK_KEY_space, GDK_MOD1_MASK);
    auto* menu = dynamic_cast<Gtk::Menu*>(dialog.aboutItem().get_parent());
    ASSERT_NE(menu, nullptr);
    ASSERT_TRUE(runUntil([menu] { return menu->get_mapped(); }));
    EXPECT_EQ(menu->get_selected_item(), &dialog.aboutItem()) << "the item is ready for Enter";
    auto* popup = dynamic_cast<Gtk::Window*>(menu->get_toplevel());
    ASSERT_NE(popup, nullptr);

    bool aboutSeen = false;
    bool aboutModalOverDialog = false;
    sigc::connection answer = Glib::signal_timeout().connect(
        [&] {
            for (Gtk::Window* window : Gtk::Window::list_toplevels()) {
                auto* about = dynamic_cast<AboutDialog*>(window);
                if (!about || !about->get_mapped()) continue;
                aboutSeen = true;
                aboutModalOverDialog = about->get_modal() && about->get_transient_for() == &dialog;
                pressKey(*about, GDK_KEY_Return); // OK has the focus
                return false;
            }
            return true;
        },
        5);
    pressKey(*popup, GDK_KEY_Return);
    EXPECT_TRUE(runUntil([&aboutSeen] { return aboutSeen; }));
    answer.disconnect();
    EXPECT_TRUE(aboutModalOverDialog);
    EXPECT_FALSE(menu->get_mapped());
    EXPECT_TRUE(dialog.get_visible()) << "the about box leaves the dialog open";
    dialog.hide();
}

TEST(SetupDialogIcon, WindowIconComesFromTheLauncherDirectory) {
    TempDir launcher(false);
    writeIcons(launcher.path());
    AnsweringDialog withIcons(launcher.path());
    std::vector<int> sizes;
    for (const auto& icon : withIcons.get_icon_list())
        sizes.push_back(icon->get_width());
    EXPECT_EQ(sizes, (std::vector<int>{32, 16}));

    AnsweringDialog withoutIcons(emptyLauncherDir());
    EXPECT_TRUE(withoutIcons.get_icon_list().empty());
}

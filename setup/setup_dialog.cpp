// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "setup/setup_dialog.h"

#include "setup/about_dialog.h"
#include "setup/dialog_units.h"
#include "setup/game_starter.h"
#include "setup/modal_loop.h"
#include "setup/program_icon.h"
#include "setup/settings_writer.h"
#include "setup/setup_warnings.h"

#include "core/language.h"

#include <gdk/gdkkeysyms.h>
#include <gtkmm/frame.h>
#include <gtkmm/grid.h>
#include <gtkmm/label.h>
#include <gtkmm/liststore.h>
#include <gtkmm/sizegroup.h>

#include <algorithm>

namespace {

// The dialog template in dialog units: 196 x 316, the groups as they stand top to bottom.
constexpr double templateWidth = 196;
constexpr double templateHeight = 316;
constexpr double groupLeft = 12;
constexpr double groupRight = 182;
constexpr double labelLeft = 17;  // the leftmost label starts here...
constexpr double labelRight = 86; // ...and the label column ends here, before the lists
constexpr double listLeft = 99;
constexpr double listWidth = 53;
constexpr double listHeight = 13; // the closed list; the template's height includes the drop-down
constexpr double buttonTop = 293;
constexpr double buttonWidth = 70;
constexpr double buttonHeight = 16;
constexpr double okLeft = 11;
constexpr double startRight = 109 + 70;

struct TemplateRow {
    const char* label;
    double labelX; // where the left-aligned text starts
    ChoiceList list;
    double listY;
};

struct TemplateGroup {
    const char* caption;
    double y;
    double height;
    std::vector<TemplateRow> rows;
};

const std::vector<TemplateGroup>& templateGroups() {
    static const std::vector<TemplateGroup> groups{
        {N_("Okno"), 14, 31, {{N_("Rozdzielczość:"), 31, ChoiceList::Resolution, 25}}},
        {N_("Skocznia"), 50, 33, {{N_("Skocznia:"), 43, ChoiceList::Hill, 63}}},
        {N_("Gra"),
         87,
         52,
         {{N_("Prędkość gry:"), 36, ChoiceList::Speed, 97},
          {N_("Poziom detali:"), 37, ChoiceList::Detail, 120}}},
        {N_("Pogoda"),
         146,
         73,
         {{N_("Warunki pogodowe:"), 17, ChoiceList::Weather, 159},
          {N_("Pora roku:"), 48, ChoiceList::Season, 178},
          {N_("Opady:"), 57, ChoiceList::Precipitation, 201}}},
        {N_("Skoczek"),
         226,
         62,
         {{N_("Kombinezon:"), 43, ChoiceList::Suit, 234},
          {N_("Kask:"), 63, ChoiceList::Helmet, 251},
          {N_("Narty:"), 63, ChoiceList::Skis, 268}}},
    };
    return groups;
}

bool holdsFocus(Gtk::Widget* focus, Gtk::Widget& widget) {
    return focus && (focus == &widget || focus->is_ancestor(widget));
}

Glib::ustring itemText(const Gtk::TreeModel::Row& row) {
    Glib::ustring text;
    row.get_value(0, text);
    return text;
}

} // namespace

SetupDialog::SetupDialog(const std::string& launcherDir, const std::string& iconDir)
    : launcherDir_(launcherDir), icons_(loadProgramIcons(iconDir)),
      aboutItem_(_("_About setup..."), true), groups_(Gtk::ORIENTATION_VERTICAL),
      buttons_(Gtk::ORIENTATION_HORIZONTAL), ok_(_("_OK"), true), start_(_("_Uruchom grę"), true) {
    set_title(_("setup"));
    set_resizable(false);
    set_position(Gtk::WIN_POS_CENTER);
    if (!icons_.empty()) set_icon_list(icons_);
    buildTitleBar();
    buildLayout();

    ok_.signal_clicked().connect(sigc::mem_fun(*this, &SetupDialog::onSaveAndClose));
    start_.signal_clicked().connect(sigc::mem_fun(*this, &SetupDialog::onStartGame));

    // The order in which the controls were laid down in the template, not their screen order.
    focusChain_ = {&list(ChoiceList::Resolution),
                   &list(ChoiceList::Speed),
                   &list(ChoiceList::Weather),
                   &list(ChoiceList::Suit),
                   &list(ChoiceList::Helmet),
                   &list(ChoiceList::Skis),
                   &start_,
                   &list(ChoiceList::Season),
                   &ok_,
                   &list(ChoiceList::Detail),
                   &list(ChoiceList::Precipitation),
                   &list(ChoiceList::Hill)};
    list(ChoiceList::Resolution).grab_focus();
}

void SetupDialog::buildTitleBar() {
    // The menu behind the program icon stands in for the classic system menu.
    header_.set_title(_("setup"));
    header_.set_show_close_button(true);
    header_.set_decoration_layout(":close");
    if (!icons_.empty())
        menuImage_.set(icons_.back()->scale_simple(16, 16, Gdk::INTERP_BILINEAR));
    else
        menuImage_.set_from_icon_name("open-menu-symbolic", Gtk::ICON_SIZE_MENU);
    menuButton_.set_image(menuImage_);
    menuButton_.set_relief(Gtk::RELIEF_NONE);
    menuButton_.set_can_focus(false);
    menuButton_.set_tooltip_text(_("Menu"));
    aboutItem_.signal_activate().connect(sigc::mem_fun(*this, &SetupDialog::showAbout));
    menu_.append(aboutItem_);
    menu_.show_all();
    menuButton_.set_popup(menu_);
    header_.pack_start(menuButton_);
    header_.show_all();
    set_titlebar(header_);
}

void SetupDialog::buildLayout() {
    const DialogUnits du = measureDialogUnits(*this);

    int listNaturalWidth = 0;
    int listNaturalHeight = 0;
    for (int i = 0; i < choiceListCount; ++i) {
        const ChoiceList which = static_cast<ChoiceList>(i);
        // Each row shows its text in the player's language and keeps the Polish one as its
        // id: the value the settings writer knows.
        std::vector<std::pair<Glib::ustring, std::string>> items;
        for (const std::string& item : choiceItems(which))
            items.emplace_back(_(item.c_str()), item);
        if (isSortedList(which)) std::sort(items.begin(), items.end());
        for (const auto& item : items)
            lists_[i].append(item.second, item.first);
        lists_[i].show(); // hidden widgets ask for no room at all
        int minimum = 0;
        int natural = 0;
        lists_[i].get_preferred_width(minimum, natural);
        listNaturalWidth = std::max(listNaturalWidth, natural);
        lists_[i].get_preferred_height(minimum, natural);
        listNaturalHeight = std::max(listNaturalHeight, natural);
    }

    auto listColumn = Gtk::SizeGroup::create(Gtk::SIZE_GROUP_HORIZONTAL);
    // Each label's text starts where the template puts it; the column ends at the template's
    // right edge unless a text in GTK's font needs more, and then every group's column grows
    // alike so the lists stay in one line.
    std::vector<Gtk::Label*> labels;
    std::vector<int> labelIndents;
    int labelColumnWidth = du.x(labelRight - labelLeft);
    for (const TemplateGroup& group : templateGroups())
        for (const TemplateRow& row : group.rows) {
            Gtk::Label* label = Gtk::manage(new Gtk::Label(_(row.label)));
            label->show();
            int minimum = 0;
            int natural = 0;
            label->get_preferred_width(minimum, natural);
            const int indent = du.x(row.labelX) - du.x(labelLeft);
            labelColumnWidth = std::max(labelColumnWidth, indent + natural);
            labels.push_back(label);
            labelIndents.push_back(indent);
        }

    // GTK's lists are wider than the template's; where they outgrow it the room comes out of
    // the right margin first, so the dialog keeps the template's width as long as it can.
    // A little air between the longest item and the arrow, as the classic lists had.
    const int listPixels = std::max(du.x(listWidth), listNaturalWidth + du.x(4));
    const int outgrown = std::max(0, listPixels - du.x(listWidth)) +
                         std::max(0, labelColumnWidth - du.x(labelRight - labelLeft));
    const int rightMargin = std::max(du.x(6), du.x(groupRight - listLeft - listWidth) - outgrown);

    double previousBottom = 0;
    std::size_t labelIndex = 0;
    for (const TemplateGroup& group : templateGroups()) {
        auto* frame = Gtk::manage(new Gtk::Frame(_(group.caption)));
        frame->set_margin_top(du.y(group.y - previousBottom));
        frame->set_margin_start(du.x(groupLeft));
        frame->set_margin_end(du.x(templateWidth - groupRight));
        frame->set_size_request(-1, du.y(group.height));

        auto* grid = Gtk::manage(new Gtk::Grid);
        grid->set_valign(Gtk::ALIGN_CENTER);
        grid->set_column_spacing(du.x(listLeft - labelRight));
        grid->set_margin_start(du.x(labelLeft - groupLeft));
        grid->set_margin_end(rightMargin);
        grid->set_margin_bottom(du.y(2));
        if (group.rows.size() > 1) {
            const double pitch = (group.rows.back().listY - group.rows.front().listY) /
                                 static_cast<double>(group.rows.size() - 1);
            grid->set_row_spacing(std::max(du.y(2), du.y(pitch) - listNaturalHeight));
        }
        int top = 0;
        for (const TemplateRow& row : group.rows) {
            Gtk::Label* label = labels[labelIndex];
            const int indent = labelIndents[labelIndex++];
            Gtk::ComboBoxText& combo = list(row.list);
            label->set_xalign(0.0f);
            label->set_mnemonic_widget(combo);
            label->set_margin_start(indent);
            label->set_size_request(labelColumnWidth - indent, -1);
            combo.set_size_request(listPixels, du.y(listHeight));
            listColumn->add_widget(combo);
            grid->attach(*label, 0, top, 1, 1);
            grid->attach(combo, 1, top, 1, 1);
            ++top;
        }
        frame->add(*grid);
        groups_.pack_start(*frame, Gtk::PACK_SHRINK);
        previousBottom = group.y + group.height;
    }

    ok_.set_size_request(du.x(buttonWidth), du.y(buttonHeight));
    start_.set_size_request(du.x(buttonWidth), du.y(buttonHeight));
    ok_.set_margin_start(du.x(okLeft));
    start_.set_margin_end(du.x(templateWidth - startRight));
    buttons_.pack_start(ok_, Gtk::PACK_SHRINK);
    buttons_.pack_end(start_, Gtk::PACK_SHRINK);
    buttons_.set_margin_top(du.y(buttonTop - previousBottom));
    buttons_.set_margin_bottom(du.y(templateHeight - buttonTop - buttonHeight));
    groups_.pack_start(buttons_, Gtk::PACK_SHRINK);

    add(groups_);
    groups_.show_all();
}

void SetupDialog::run() {
    runModal(*this);
}

void SetupDialog::showMessage(const Glib::ustring& caption, const Glib::ustring& text,
                              MessageIcon icon) {
    showMessageBox(this, caption, text, icon);
}

void SetupDialog::takeChoices() {
    for (int i = 0; i < choiceListCount; ++i)
        choices_.of(static_cast<ChoiceList>(i)) = lists_[i].get_active_id().raw();
}

void SetupDialog::writeAndWarn(bool startingGame) {
    takeChoices();
    std::vector<std::string> causes;
    const std::vector<std::string> failed = writeSettingsFiles(choices_, &causes);
    // The player must not leave believing the settings were saved.
    if (!failed.empty())
        showMessage(_(warningCaption), unwrittenFilesMessage(failed, causes), MessageIcon::Warning);
    for (const std::string& warning : settingsWarnings(choices_, startingGame))
        showMessage(_(warningCaption), warning, MessageIcon::Information);
}

void SetupDialog::onSaveAndClose() {
    writeAndWarn(false);
    takeChoices();
    hide();
}

void SetupDialog::onStartGame() {
    writeAndWarn(true);
    startGame(launcherDir_);
    takeChoices();
    hide();
}

void SetupDialog::showAbout() {
    AboutDialog about(*this, icons_.empty() ? Glib::RefPtr<Gdk::Pixbuf>() : icons_.front());
    runModal(about);
}

void SetupDialog::moveFocus(int step) {
    Gtk::Widget* focus = get_focus();
    const int count = static_cast<int>(focusChain_.size());
    int current = step > 0 ? -1 : 0;
    for (int i = 0; i < count; ++i)
        if (holdsFocus(focus, *focusChain_[i])) current = i;
    focusChain_[(current + step + count) % count]->grab_focus();
}

bool SetupDialog::selectByFirstLetter(gunichar letter) {
    Gtk::Widget* focus = get_focus();
    for (Gtk::ComboBoxText& combo : lists_) {
        if (!holdsFocus(focus, combo)) continue;
        // Like a classic drop-down list: a letter picks the next item that starts with it.
        const auto rows = combo.get_model()->children();
        const int count = static_cast<int>(rows.size());
        const gunichar wanted = g_unichar_tolower(letter);
        for (int step = 1; step <= count; ++step) {
            const int index = (combo.get_active_row_number() + step + count) % count;
            const Glib::ustring text = itemText(rows[index]);
            if (!text.empty() && g_unichar_tolower(text[0]) == wanted) {
                combo.set_active(index);
                break;
            }
        }
        return true;
    }
    return false;
}

bool SetupDialog::on_key_press_event(GdkEventKey* event) {
    const guint mods = event->state & gtk_accelerator_get_default_mod_mask();
    const guint key = event->keyval;
    if (key == GDK_KEY_Escape && mods == 0) {
        hide();
        return true;
    }
    if ((key == GDK_KEY_Tab || key == GDK_KEY_KP_Tab) && mods == 0) {
        moveFocus(1);
        return true;
    }
    if ((key == GDK_KEY_ISO_Left_Tab || key == GDK_KEY_Tab || key == GDK_KEY_KP_Tab) &&
        mods == GDK_SHIFT_MASK) {
        moveFocus(-1);
        return true;
    }
    if (key == GDK_KEY_space && mods == GDK_MOD1_MASK) {
        menu_.popup_at_widget(&menuButton_, Gdk::GRAVITY_SOUTH_WEST, Gdk::GRAVITY_NORTH_WEST,
                              reinterpret_cast<GdkEvent*>(event));
        menu_.select_first(false);
        return true;
    }
    if ((mods & ~GDK_SHIFT_MASK) == 0) {
        const gunichar letter = gdk_keyval_to_unicode(key);
        if (letter && g_unichar_isalnum(letter) && selectByFirstLetter(letter)) return true;
    }
    return Gtk::Window::on_key_press_event(event);
}

bool SetupDialog::on_delete_event(GdkEventAny*) {
    hide();
    return true;
}

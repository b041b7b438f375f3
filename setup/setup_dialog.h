// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "setup/choice_lists.h"
#include "setup/message_box.h"

#include <gdkmm/pixbuf.h>
#include <gtkmm/box.h>
#include <gtkmm/button.h>
#include <gtkmm/comboboxtext.h>
#include <gtkmm/headerbar.h>
#include <gtkmm/image.h>
#include <gtkmm/menu.h>
#include <gtkmm/menubutton.h>
#include <gtkmm/menuitem.h>
#include <gtkmm/window.h>

#include <array>
#include <string>
#include <vector>

// The launcher's one dialog: ten lists, "&OK" and "&Uruchom grę".
class SetupDialog : public Gtk::Window {
  public:
    // The game is started from launcherDir; the icons come from iconDir (hicolor layout).
    SetupDialog(const std::string& launcherDir, const std::string& iconDir);
    // A portable copy: the icons beside the launcher.
    explicit SetupDialog(const std::string& launcherDir)
        : SetupDialog(launcherDir, launcherDir + "/icons") {}

    // Shows the dialog and returns when it has ended, by a button or by closing it.
    void run();

    Gtk::ComboBoxText& list(ChoiceList which) { return lists_[static_cast<int>(which)]; }
    Gtk::Button& okButton() { return ok_; }
    Gtk::Button& startButton() { return start_; }
    Gtk::MenuButton& menuButton() { return menuButton_; }
    Gtk::MenuItem& aboutItem() { return aboutItem_; }
    Gtk::Box& groups() { return groups_; }
    // The widgets Tab visits, in order.
    const std::vector<Gtk::Widget*>& focusChain() const { return focusChain_; }
    // The ten values as last taken from the lists.
    const SettingsChoices& choices() const { return choices_; }

  protected:
    // Every message box goes through here, so a test can answer it.
    virtual void showMessage(const Glib::ustring& caption, const Glib::ustring& text,
                             MessageIcon icon);

    bool on_key_press_event(GdkEventKey* event) override;
    bool on_delete_event(GdkEventAny* event) override;

  private:
    void buildTitleBar();
    void buildLayout();
    void onSaveAndClose();
    void onStartGame();
    void takeChoices();
    void writeAndWarn(bool startingGame);
    void showAbout();
    void moveFocus(int step);
    bool selectByFirstLetter(gunichar letter);

    std::string launcherDir_;
    std::vector<Glib::RefPtr<Gdk::Pixbuf>> icons_;
    SettingsChoices choices_;

    Gtk::HeaderBar header_;
    Gtk::MenuButton menuButton_;
    Gtk::Image menuImage_;
    Gtk::Menu menu_;
    Gtk::MenuItem aboutItem_;

    Gtk::Box groups_;
    Gtk::Box buttons_;
    std::array<Gtk::ComboBoxText, choiceListCount> lists_;
    Gtk::Button ok_;
    Gtk::Button start_;
    std::vector<Gtk::Widget*> focusChain_;
};

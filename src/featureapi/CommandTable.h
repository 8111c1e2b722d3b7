// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>

// Every command of the main window in one table: its id, menu and toolbar
// captions, accelerator, the shortcut group it needs, and whether it waits
// for the navigation tree. Menus, the toolbar and the guards are built from it.
namespace commands {

enum Id {
    AddContact = 32780,
    DeleteContact = 32783,
    MoveToTrash = 32782,
    Restore = 32786,
    EmptyTrash = 32785,
    EnvelopeLabels = 32787,
    ListExport = 32816,
    Cleansing = 32835,
    Refresh = 32892,
    Exit = 57665,
    AddDatum = 32894,
    ModifyDatum = 32897,
    DeleteDatum = 32895,
    AddPhone = 32797,
    DeletePhone = 32798,
    SendSms = 32905,
    SmsOutbox = 32909,
    SmsInbox = 32908,
    ContactQuery = 32811,
    DocumentQuery = 2029,
    InteractionQuery = 32853,
    TodayInteractions = 32869,
    RelationEditor = 32774,
    RegionEditor = 32784,
    IndustryEditor = 32777,
    DutyEditor = 32776,
    DatumSortEditor = 32898,
    DegreeEditor = 32779,
    DocSortEditor = 2030,
    LevelEditor = 32778,
    ValidityPeriod = 32868,
    FeastEditor = 32903,
    PhoneSortEditor = 32800,
    BusinessEditor = 32814,
    ChangePassword = 32789,
    Backup = 2027,
    RestoreBackup = 2028,
    ScoreQuery = 32875,
    PostalLookup = 32880,
    AssoSortEditor = 32836,
    HelpFile = 32852,
    About = 57664,
    UserManagement = 2024,
    DepartmentManagement = 2025,
    Distribute = 2026,
    ProvinceEditor = 2032,
    ImportContacts = 2101,
    ExportContacts = 2102,
    FindDuplicates = 2103,
    SyncContacts = 2104,
    RelationCharts = 2105,
};

// The shortcut groups of the left bar.
enum Group { NoGroup = -1, ContactsGroup = 0, DatumGroup = 1, PhoneGroup = 2, ToolsGroup = 3 };

struct Command {
    int id;
    QString menuCaption;    // with "\t" and the key text where the menu shows one
    QString toolbarCaption; // empty when not on the toolbar
    QString shortcut;       // "Ctrl+N", empty for none
    int guard;              // the group that must be current, NoGroup for none
    bool waitsForTree;      // disabled while the tree builds
};

const QList<Command>& table();
const Command* find(int id);

// A menu is a list of ids; 0 is a separator.
struct Menu {
    QString title;
    QList<int> items;
};
const QList<Menu>& menuBar();  // menu 128 with its completed orders
const QList<int>& toolbar();   // fourteen slots, 0 a separator
const Menu& contactListMenu(); // menu 192 (own captions)
const Menu& trayMenu();        // menu 341 (own captions)
// Captions of entries whose context-menu text differs from the menu bar's.
QString contextCaption(const Menu& menu, int id);

// The commands the main window carries out itself; features carry out the others.
bool isFrameCommand(int id);

// The message shown when a guarded command is used in another group.
QString guardMessage(int group);

} // namespace commands

// SPDX-License-Identifier: GPL-3.0-or-later
#include "featureapi/CommandTable.h"

#include <QHash>

namespace commands {

namespace {

constexpr bool kTree = true;
constexpr bool kNoTree = false;

} // namespace

const QList<Command>& table() {
    static const QList<Command> all{
        {AddContact, "新增人脉(&N)\tCtrl+N", "新增人脉", "Ctrl+N", NoGroup, kTree},
        {DeleteContact, "删除人脉(&D)\tCtrl+D", "删除资料", "Ctrl+D", ContactsGroup, kTree},
        {MoveToTrash, "移至垃圾箱", "移垃圾箱", "", ContactsGroup, kNoTree},
        {Restore, "资料还原(&E)\tCtrl+E", "资料还原", "Ctrl+E", ContactsGroup, kNoTree},
        {EmptyTrash, "清空垃圾箱", "清垃圾箱", "", ContactsGroup, kTree},
        {EnvelopeLabels, "生成信封标签文件(&L)\tCtrl+L", "信封标签", "Ctrl+L", ContactsGroup,
         kNoTree},
        {ListExport, "生成列表资料文件(&I)\tCtrl+I", "资料列表", "Ctrl+I", ContactsGroup, kNoTree},
        {Cleansing, "资料清洗", "", "", ContactsGroup, kTree},
        {Refresh, "资料刷新", "资料刷新", "", NoGroup, kTree},
        {Exit, "退出(&X)", "", "", NoGroup, kNoTree},
        {AddDatum, "增加资料(&O)\tCtrl+O", "", "Ctrl+O", NoGroup, kNoTree},
        {ModifyDatum, "修改资料", "", "", DatumGroup, kNoTree},
        {DeleteDatum, "删除资料", "", "", DatumGroup, kNoTree},
        {AddPhone, "新增(&Y)\tCtrl+Y", "", "Ctrl+Y", NoGroup, kNoTree},
        {DeletePhone, "删除", "", "", PhoneGroup, kNoTree},
        {SendSms, "短信发送", "短信发送", "", ContactsGroup, kTree},
        {SmsOutbox, "短信发送查询", "", "", NoGroup, kTree},
        {SmsInbox, "短信接收查询", "", "", NoGroup, kTree},
        {ContactQuery, "人脉综合查询(&Q)\tCtrl+Q", "人脉查询", "Ctrl+Q", NoGroup, kTree},
        {DocumentQuery, "文档查询", "", "", NoGroup, kNoTree},
        {InteractionQuery, "往来查询", "往来查询", "", NoGroup, kTree},
        {TodayInteractions, "当日往来查询", "当天往来", "", NoGroup, kTree},
        {RelationCharts, "往来统计", "", "", NoGroup, kNoTree},
        {RelationEditor, "关系类别设置", "", "", NoGroup, kNoTree},
        {RegionEditor, "区域设置(&B)\tCtrl+B", "", "Ctrl+B", NoGroup, kNoTree},
        {IndustryEditor, "行业设置", "", "", NoGroup, kNoTree},
        {DutyEditor, "职务设置(&U)\tCtrl+U", "", "Ctrl+U", NoGroup, kNoTree},
        {DatumSortEditor, "我的资料类别设置", "", "", NoGroup, kNoTree},
        {DegreeEditor, "学历设置", "", "", NoGroup, kNoTree},
        {DocSortEditor, "文档类别设置", "", "", NoGroup, kNoTree},
        {LevelEditor, "级别设置", "", "", NoGroup, kNoTree},
        {ValidityPeriod, "往来有效期设置", "", "", NoGroup, kNoTree},
        {FeastEditor, "节日设置", "", "", NoGroup, kNoTree},
        {PhoneSortEditor, "常用电话类别设置", "", "", NoGroup, kNoTree},
        {BusinessEditor, "往来类别设置(&K)\tCtrl+K", "", "Ctrl+K", NoGroup, kNoTree},
        {ChangePassword, "密码设置(&P)\tCtrl+P", "", "Ctrl+P", NoGroup, kNoTree},
        {Backup, "数据备份", "", "", NoGroup, kNoTree},
        {RestoreBackup, "数据恢复", "", "", NoGroup, kNoTree},
        // Commands that have no menu place of their own: the main window adds them below.
        {ScoreQuery, "等级分查询", "", "", NoGroup, kNoTree},
        {PostalLookup, "邮编区号查询", "", "", NoGroup, kNoTree},
        {AssoSortEditor, "社会关系类别设置", "", "", NoGroup, kNoTree},
        {HelpFile, "帮助主题(&H)\tF1", "", "F1", NoGroup, kNoTree},
        {About, "关于Halvora人脉(&A)", "", "Ctrl+A", NoGroup, kNoTree},
        {UserManagement, "用户管理", "", "", NoGroup, kNoTree},
        {DepartmentManagement, "部门管理", "", "", NoGroup, kNoTree},
        {Distribute, "人脉分配", "", "", ContactsGroup, kNoTree},
        {ProvinceEditor, "省份管理", "", "", NoGroup, kNoTree},
        {ImportContacts, "导入人脉...", "", "", NoGroup, kNoTree},
        {ExportContacts, "导出人脉...", "", "", ContactsGroup, kNoTree},
        {FindDuplicates, "查找重复人脉...", "", "", NoGroup, kNoTree},
        {SyncContacts, "通讯录同步...", "", "", NoGroup, kNoTree},
    };
    return all;
}

const Command* find(int id) {
    static const QHash<int, const Command*> index = [] {
        QHash<int, const Command*> h;
        for (const Command& entry : table())
            h.insert(entry.id, &entry);
        return h;
    }();
    return index.value(id, nullptr);
}

const QList<Menu>& menuBar() {
    static const QList<Menu> menus{
        {"我的人脉管理(&C)",
         {AddContact,
          DeleteContact,
          MoveToTrash,
          Restore,
          EmptyTrash,
          0,
          Distribute,
          ImportContacts,
          ExportContacts,
          FindDuplicates,
          SyncContacts,
          0,
          EnvelopeLabels,
          ListExport,
          0,
          Cleansing,
          0,
          Refresh,
          0,
          Exit}},
        {"我的资料管理(&D)", {AddDatum, ModifyDatum, DeleteDatum}},
        {"常用电话管理(&M)", {AddPhone, DeletePhone}},
        {"短信管理(&S)", {SendSms, 0, SmsOutbox, SmsInbox}},
        {"智能查询(&Q)",
         {ContactQuery, DocumentQuery, 0, InteractionQuery, TodayInteractions, RelationCharts, 0,
          ScoreQuery}},
        {"系统设置(&E)",
         {RelationEditor,
          RegionEditor,
          ProvinceEditor,
          PostalLookup,
          0,
          IndustryEditor,
          DutyEditor,
          DatumSortEditor,
          DegreeEditor,
          DocSortEditor,
          LevelEditor,
          ValidityPeriod,
          FeastEditor,
          0,
          PhoneSortEditor,
          BusinessEditor,
          AssoSortEditor,
          0,
          ChangePassword,
          0,
          Backup,
          RestoreBackup,
          0,
          UserManagement,
          DepartmentManagement}},
        {"帮助(&H)", {HelpFile, 0, About}},
    };
    return menus;
}

const QList<int>& toolbar() {
    static const QList<int> buttons{AddContact,   DeleteContact,    MoveToTrash,       Restore,
                                    EmptyTrash,   ListExport,       EnvelopeLabels,    0,
                                    ContactQuery, InteractionQuery, TodayInteractions, 0,
                                    SendSms,      Refresh};
    return buttons;
}

const Menu& contactListMenu() {
    static const Menu menu{"",
                           {AddContact, DeleteContact, 0, MoveToTrash, Restore, EmptyTrash, 0,
                            Cleansing, 0, EnvelopeLabels, ListExport, 0, ContactQuery}};
    return menu;
}

const Menu& trayMenu() {
    static const Menu menu{"托盘菜单", {About, 0, Exit}};
    return menu;
}

QString contextCaption(const Menu& menu, int id) {
    static const QHash<int, QString> contactList{
        {AddContact, "增加人脉资料"},     {DeleteContact, "删除人脉资料"},
        {MoveToTrash, "移至垃圾箱"},      {Restore, "资料还原"},
        {EmptyTrash, "清空垃圾箱"},       {Cleansing, "资料清洗"},
        {EnvelopeLabels, "生成标签文件"}, {ListExport, "生成资料列表"},
        {ContactQuery, "资料综合查询"},
    };
    static const QHash<int, QString> tray{{About, "关于 Halvora人脉"}, {Exit, "退出"}};
    if (&menu == &contactListMenu())
        return contactList.value(id);
    if (&menu == &trayMenu())
        return tray.value(id);
    const Command* entry = find(id);
    return entry ? entry->menuCaption : QString();
}

bool isFrameCommand(int id) {
    return id == Refresh || id == Exit || id == HelpFile || id == About;
}

QString guardMessage(int group) {
    switch (group) {
    case ContactsGroup:
        return QStringLiteral("请先选中〖我的人脉〗,再进行操作!");
    case DatumGroup:
        return QStringLiteral("请先选中〖我的资料〗,再进行操作!");
    case PhoneGroup:
        return QStringLiteral("请先选中〖常用电话〗,再进行操作!");
    default:
        return {};
    }
}

} // namespace commands

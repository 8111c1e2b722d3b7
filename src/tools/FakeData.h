// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "tools/SeededRandom.h"

#include <QDate>
#include <QString>

// Plausible Chinese texts for generated contacts and interactions: names,
// numbers, work units, addresses and the free texts of the sheets. Every value
// comes from the one seeded source, so the same seed gives the same texts.
class FakeData {
  public:
    struct PersonName {
        QString surname;
        QString given;
        QString pinyin; // of the surname, for e-mail addresses
        QString full() const { return surname + given; }
    };

    explicit FakeData(quint64 seed) : random_(seed) {}

    SeededRandom& random() { return random_; }

    PersonName personName(bool male);
    // A given name only, for a child who keeps the family's surname.
    QString givenName(bool male);
    QString sex(); // "男", "女" or now and then "未知"
    QString married();

    QString mobile();
    QString landline(const QString& areaCode);
    QString email(const QString& pinyin, const QString& companyDomain);
    QString instantMessenger();
    QString bankAccount();

    // A unit name such as "北京华信科技有限公司"; brandPinyin receives the
    // brand's latin form for web site and mail domain.
    QString companyName(const QString& cityShort, const QString& industry, QString* brandPinyin);
    QString mainBusiness(const QString& industry);
    QString branch();
    QString charge();
    QString salary();
    QString capital();
    QString turnover();
    QString street(const QString& city);
    QString busRoute();
    QString district();
    QString remark();

    // The family and the social and extended sheets.
    QString health();
    QString hobby();
    QString cigarette();
    QString drink();
    QString drinkAmount();
    QString taste();
    QString haunt();
    QString taboo();
    QString car();
    QString speciality();
    QString college(const QString& cityShort);
    QString looks();
    QString concern();
    QString abroad();
    QString childGrade(int age);
    QString childSchool(int age, const QString& cityShort);
    QString livesWithParents();

    // Interactions, by the name of their type.
    QString interactionContent(const QString& business);
    QString purpose();
    QString place(const QString& business, const QString& cityShort);
    QString gift(const QString& business);
    QString nextPlan();

    // Documents, by the name of their category.
    QString documentTitle(const QString& category, const QString& person, const QString& company,
                          int year);
    QString documentExtension(const QString& category);
    QString keywords(const QString& category);

    // A date in [from, to] (from when to lies before it).
    QDate dateBetween(const QDate& from, const QDate& to);

  private:
    SeededRandom random_;
};

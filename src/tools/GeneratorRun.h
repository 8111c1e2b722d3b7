// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What one run of the generator holds while it writes a database: the
// reference rows it draws from, the plan of contacts and interactions, and
// the inserters of the tables. Shared by the two files of the generator.
#include "tools/FakeData.h"
#include "tools/Generator.h"
#include "tools/TableInserter.h"

#include <QDate>
#include <QHash>
#include <QString>
#include <utility>
#include <vector>

class Database;

namespace generation {

// One reference table: the codes of its named rows and of its "not set" row.
struct Reference {
    std::vector<qint64> codes;
    std::vector<QString> names;
    qint64 empty = -1;

    bool usable() const { return !codes.empty() || empty >= 0; }
    qint64 unset() const { return empty >= 0 ? empty : codes.front(); }
    QString nameOf(qint64 code) const {
        for (std::size_t i = 0; i < codes.size(); ++i) {
            if (codes[i] == code)
                return names[i];
        }
        return {};
    }
};

struct City {
    QString name;
    QString shortName;
    QString areaCode;
    QString zip;
};

struct Company {
    QString name;
    QString domain;
    QString industry;
    qint64 industryCode = -1;
    qint64 provinceCode = -1;
    qint64 regionCode = -1;
    City city;
    QString address, phone, fax, website, bus, legalPerson, capital, turnover, account;
    QString mainBusiness, mainClients, partners, competitors;
};

struct ContactPlan {
    QDate created;
    QDate lastTouched;
    qint64 level = -1;
    qint64 weight = 1; // share of the interactions
};

struct InteractionPlan {
    qint64 contact = 0; // index into the contacts written
    QDate date;
};

// One run: the references read from the database, the generated work units
// and the inserters of the tables written.
class Run {
  public:
    Run(Database& db, const Generator::Options& options, Generator::Report& report)
        : db_(db), options_(options), report_(report), fake_(options.seed) {}

    bool execute();
    QString error() const { return error_; }

  private:
    bool loadReferences();
    bool loadReference(const QString& table, const QString& order, Reference* out);
    void makeCompanies();
    void planContacts();
    void planInteractions();
    bool writeContacts();
    bool writeContact(ContactPlan& plan);
    bool writeDocuments(qint64 code, const FakeData::PersonName& name, const Company& company,
                        const QDate& created);
    bool writeInteractions();

    qint64 pick(const Reference& ref, int emptyPermille = 30) {
        if (ref.codes.empty() || (ref.empty >= 0 && fake_.random().chance(emptyPermille)))
            return ref.unset();
        return fake_.random().pick(ref.codes);
    }
    // A birthday of someone aged between the two bounds; some fall in this month.
    QDate birthday(int youngest, int oldest, int thisMonthPermille);
    std::pair<qint64, City> someCity();

    Database& db_;
    const Generator::Options& options_;
    Generator::Report& report_;
    FakeData fake_;
    QString error_;

    QString userName_;
    qint64 userDepartment_ = -1;
    Reference levels_, relations_, regions_, provinces_, industries_, duties_, degrees_,
        businesses_, docSorts_;
    std::vector<int> levelWeights_;
    QHash<qint64, std::vector<City>> cities_;
    std::vector<qint64> provincesWithCities_;
    qint64 homeProvince_ = -1;
    std::vector<Company> companies_;
    std::vector<ContactPlan> contacts_;
    std::vector<InteractionPlan> interactions_;
    std::vector<qint64> codes_;
    std::vector<QString> contactNames_;
    std::vector<QString> contactCities_;
    // The inserters of the contact sheets while writeContacts() runs.
    TableInserter* base_ = nullptr;
    TableInserter* home_ = nullptr;
    TableInserter* society_ = nullptr;
    TableInserter* extend_ = nullptr;
    TableInserter* doc_ = nullptr;
};

QString twoDigits(int value);

} // namespace generation

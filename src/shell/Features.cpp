// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/Features.h"

#include "backup/BackupFeature.h"
#include "carddav/SyncFeature.h"
#include "contacts/AssoFeature.h"
#include "contacts/CleansingFeature.h"
#include "contacts/ContactsFeature.h"
#include "documents/DocumentsFeature.h"
#include "exchange/ExchangeFeature.h"
#include "interactions/InteractionsFeature.h"
#include "phones/PhonesFeature.h"
#include "quickfind/QuickFindFeature.h"
#include "reference/ReferenceFeature.h"
#include "reports/ReportsFeature.h"
#include "sms/SmsFeature.h"
#include "stats/StatsFeature.h"
#include "users/UsersFeature.h"

std::vector<std::unique_ptr<Feature>> makeFeatures() {
    std::vector<std::unique_ptr<Feature>> features;
    features.push_back(std::make_unique<ContactsFeature>());
    features.push_back(std::make_unique<UsersFeature>());
    features.push_back(std::make_unique<ReferenceFeature>());
    features.push_back(std::make_unique<AssoFeature>());
    features.push_back(std::make_unique<DocumentsFeature>());
    features.push_back(std::make_unique<PhonesFeature>());
    features.push_back(std::make_unique<SmsFeature>());
    features.push_back(std::make_unique<BackupFeature>());
    features.push_back(std::make_unique<ReportsFeature>());
    features.push_back(std::make_unique<InteractionsFeature>());
    features.push_back(std::make_unique<CleansingFeature>());
    features.push_back(std::make_unique<ExchangeFeature>());
    features.push_back(std::make_unique<QuickFindFeature>());
    features.push_back(std::make_unique<SyncFeature>());
    features.push_back(std::make_unique<StatsFeature>());
    return features;
}

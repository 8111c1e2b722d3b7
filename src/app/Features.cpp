#include "app/Features.h"

#include "contacts/ContactsFeature.h"
#include "exchange/ExchangeFeature.h"
#include "users/UsersFeature.h"

std::vector<std::unique_ptr<Feature>> makeFeatures() {
    std::vector<std::unique_ptr<Feature>> features;
    features.push_back(std::make_unique<ContactsFeature>());
    features.push_back(std::make_unique<UsersFeature>());
    features.push_back(std::make_unique<ExchangeFeature>());
    return features;
}

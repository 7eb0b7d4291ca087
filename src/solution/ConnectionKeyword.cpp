#include "ConnectionKeyword.h"

#include <algorithm>

#include "ConnectionString.h"

std::string ConnectionKeywordValue(const std::string& connectionString, const std::string& keyword,
                                   const std::string& fallback) {
    return ConnectionString::parse(connectionString).find(keyword).value_or(fallback);
}

std::string ConnectionUser(const std::string& connectionString) {
    std::string user = ConnectionKeywordValue(connectionString, "UserId");
    user.erase(std::remove(user.begin(), user.end(), '"'), user.end());
    if (user.empty() || user == "UserId")
        user = ConnectionKeywordValue(connectionString, "User ID");
    return user;
}

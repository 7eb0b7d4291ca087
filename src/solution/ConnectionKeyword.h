#pragma once

#include <string>

// The value of keyword in a connection string of keyword=value pairs separated by ";"
// (keywords compared ignoring ASCII case), or fallback when the keyword is absent.
std::string ConnectionKeywordValue(const std::string& connectionString, const std::string& keyword,
                                   const std::string& fallback = {});

// The user a connection string names: "UserId" with every double quote removed, or, when that
// gives nothing (or the keyword's own name), "User ID".
std::string ConnectionUser(const std::string& connectionString);

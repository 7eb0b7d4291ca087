#include "AutomationMembers.h"

#include "AsciiCase.h"

namespace {

using K = AutomationKind;
using T = AutomationType;

constexpr AutomationMember kMembers[kAutomationMemberCount] = {
    {1, "TARN", K::kProperty, T::kBool, {T::kNone, T::kNone}},
    {2, "InitialSearchItem", K::kProperty, T::kString, {T::kNone, T::kNone}},
    {3, "RowDisplay", K::kProperty, T::kBool, {T::kNone, T::kNone}},
    {4, "strDaoConnect", K::kProperty, T::kString, {T::kNone, T::kNone}},
    {5, "strDaoDatabase", K::kProperty, T::kString, {T::kNone, T::kNone}},
    {6, "strPrimalColTable", K::kProperty, T::kString, {T::kNone, T::kNone}},
    {7, "strPrimalRowTable", K::kProperty, T::kString, {T::kNone, T::kNone}},
    {8, "strRunIdTable", K::kProperty, T::kString, {T::kNone, T::kNone}},
    {9, "OpenDocument", K::kMethod, T::kBool, {T::kString, T::kNone}},
    {10, "GetUserCtrl", K::kMethod, T::kBool, {T::kNone, T::kNone}},
    {11, "SetUserCtrl", K::kMethod, T::kNone, {T::kBool, T::kNone}},
    {12, "UpdateSearchAndDisplay", K::kMethod, T::kNone, {T::kString, T::kBool}},
    {13, "GetVersion", K::kMethod, T::kDouble, {T::kNone, T::kNone}},
    {14, "SetLoomProcessName", K::kMethod, T::kNone, {T::kString, T::kNone}},
    {15, "AssumeUTF8", K::kProperty, T::kBool, {T::kNone, T::kNone}},
    {16, "FromAutomationClient", K::kProperty, T::kBool, {T::kNone, T::kNone}},
    {17, "strDatabaseConnectionType", K::kProperty, T::kString, {T::kNone, T::kNone}},
    {18, "strDatabaseConnection", K::kProperty, T::kString, {T::kNone, T::kNone}},
};

}  // namespace

int AutomationMember::argumentCount() const {
    int count = 0;
    for (AutomationType argument : arguments)
        if (argument != AutomationType::kNone) ++count;
    return count;
}

std::span<const AutomationMember> automationMembers() { return kMembers; }

const AutomationMember* findAutomationMember(std::string_view name) {
    for (const AutomationMember& member : kMembers)
        if (equalsIgnoreAsciiCase(name, member.name)) return &member;
    return nullptr;
}

const AutomationMember* automationMemberById(int id) {
    if (id < 1 || id > kAutomationMemberCount) return nullptr;
    return &kMembers[id - 1];
}

const char* automationTypeName(AutomationType type) {
    switch (type) {
        case AutomationType::kBool:
            return "boolean";
        case AutomationType::kString:
            return "string";
        case AutomationType::kDouble:
            return "double";
        case AutomationType::kNone:
            break;
    }
    return "nothing";
}

char automationTypeSignature(AutomationType type) {
    switch (type) {
        case AutomationType::kBool:
            return 'b';
        case AutomationType::kString:
            return 's';
        case AutomationType::kDouble:
            return 'd';
        case AutomationType::kNone:
            break;
    }
    return 0;
}

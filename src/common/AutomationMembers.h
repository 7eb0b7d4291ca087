#pragma once

#include <span>
#include <string_view>

// The automation object's members in dispatch order: the one table that the bus object answers
// IdsOfNames and Invoke from and that clients read a method's arguments from.
enum class AutomationKind { kProperty, kMethod };
enum class AutomationType { kNone, kBool, kString, kDouble };

struct AutomationMember {
    int id;
    const char* name;
    AutomationKind kind;
    // A property's type, or a method's result (kNone: the method returns nothing).
    AutomationType type;
    // A method's arguments in order; kNone ends the list.
    AutomationType arguments[2];

    int argumentCount() const;
    bool isProperty() const { return kind == AutomationKind::kProperty; }
};

inline constexpr int kAutomationMemberCount = 18;

std::span<const AutomationMember> automationMembers();

// By name without regard to ASCII case, as clients that bind by name expect; null when unknown.
const AutomationMember* findAutomationMember(std::string_view name);
// Dispatch ids count from 1; null outside 1 to 18.
const AutomationMember* automationMemberById(int id);

// "boolean", "string", "double" or "nothing", for messages.
const char* automationTypeName(AutomationType type);
// The bus signature letter: 'b', 's', 'd'; 0 for kNone.
char automationTypeSignature(AutomationType type);

#include "DocumentSettings.h"

#include "SettingNumber.h"

namespace {

enum class FieldKind { kText, kInteger, kNumber };

// One option: its key, where it lives in the struct, and the text stored when it is absent.
// replacement, when set, stands in for an empty stored text.
struct OptionField {
    const char* key;
    FieldKind kind;
    std::string DocumentSettings::*text = nullptr;
    int DocumentSettings::*integer = nullptr;
    double DocumentSettings::*number = nullptr;
    const char* absentText = "";
    int absentInteger = 0;
    const char* replacement = nullptr;
};

using S = DocumentSettings;

OptionField textField(const char* key, std::string S::*member, const char* replacement = nullptr) {
    return {key, FieldKind::kText, member, nullptr, nullptr, "", 0, replacement};
}

OptionField integerField(const char* key, int S::*member, int absent) {
    return {key, FieldKind::kInteger, nullptr, member, nullptr, "", absent, nullptr};
}

OptionField numberField(const char* key, double S::*member, const char* absent) {
    return {key, FieldKind::kNumber, nullptr, nullptr, member, absent, 0, nullptr};
}

// The order of this table is the order of reading and writing.
const OptionField kFields[] = {
    textField("LoomHostName", &S::LoomHostName),
    textField("LoomProcessName", &S::LoomProcessName),
    textField("AccessDatabaseName", &S::AccessDatabaseName, "Results.mdb"),
    textField("DatabaseType", &S::DatabaseType, "Access"),
    textField("DatabaseConnectionType", &S::DatabaseConnectionType, "OLE-DB"),
    integerField("Filter", &S::Filter, 0),
    numberField("LargeCoef", &S::LargeCoef, "1e7"),
    numberField("SmallCoef", &S::SmallCoef, "1e-7"),
    numberField("LargeRatio", &S::LargeRatio, "1e8"),
    integerField("ToleranceSel", &S::ToleranceSel, 0),
    integerField("ShowAllColumns", &S::ShowAllColumns, 0),
    integerField("Decimals", &S::Decimals, 5),
    integerField("AlwaysUseScientific", &S::AlwaysUseScientific, 0),
    integerField("WholeWordSearch", &S::WholeWordSearch, 0),
    integerField("SearchUp", &S::SearchUp, 0),
    integerField("IgnoreCase", &S::IgnoreCase, 0),
    textField("Search", &S::Search),
};

void readField(const ISettingsStore& store, const OptionField& field, DocumentSettings& out) {
    constexpr SettingsScope kScope = SettingsScope::kProfile;
    switch (field.kind) {
        case FieldKind::kText: {
            std::string value = store.getString(kScope, kOptionsSection, field.key, "");
            if (value.empty() && field.replacement != nullptr) value = field.replacement;
            out.*field.text = value;
            return;
        }
        case FieldKind::kInteger:
            out.*field.integer =
                store.getInteger(kScope, kOptionsSection, field.key, field.absentInteger);
            return;
        case FieldKind::kNumber:
            out.*field.number = parseSettingNumber(
                store.getString(kScope, kOptionsSection, field.key, field.absentText));
            return;
    }
}

void writeField(ISettingsStore& store, const OptionField& field, const DocumentSettings& in) {
    constexpr SettingsScope kScope = SettingsScope::kProfile;
    switch (field.kind) {
        case FieldKind::kText:
            store.writeString(kScope, kOptionsSection, field.key, in.*field.text);
            return;
        case FieldKind::kInteger:
            store.writeInteger(kScope, kOptionsSection, field.key, in.*field.integer);
            return;
        case FieldKind::kNumber:
            store.writeString(kScope, kOptionsSection, field.key,
                              formatSettingNumber(in.*field.number));
            return;
    }
}

}  // namespace

DocumentSettings readDocumentSettings(const ISettingsStore& store) {
    DocumentSettings settings;
    for (const OptionField& field : kFields) readField(store, field, settings);
    return settings;
}

void writeDocumentSettings(ISettingsStore& store, const DocumentSettings& settings) {
    for (const OptionField& field : kFields) writeField(store, field, settings);
}

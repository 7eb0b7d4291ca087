#pragma once

#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "ILoomConnection.h"

namespace matrixtest {

// A server holding one case in memory, with switches that make one step of a load fail. It
// counts the objects it has handed out and not yet had back, so tests can see that all were
// released.
struct FakeCase : ILoomConnector {
    std::unique_ptr<ILoomConnection> Connect() override;

    std::vector<std::string> rows{"OBJ", "CAP", "BAL"};
    std::vector<std::string> columns{"X", "Y", "Z"};
    std::vector<LoomMatrixRecord> records{{0, 0, 1.0f}, {0, 1, 0.1f}, {1, 2, -3.5f}, {1, 0, 2.0f}};
    std::map<std::string, LoomGrid> grids{
        {"RHSX", {{{0.0f}, {4.0f}, {0.0f}}}},
        {"POLX", {{{0.0f, 0.0f}, {1.0f, 8.0f}, {0.0f, 0.0f}}}},
        {"ROWX", {{{5.0f, 0.5f}, {4.0f, 1.5f}, {0.0f, 0.0f}}}},
        {"COLX", {{{1.0f, 0.0f, 1.0f}, {2.0f, -1.0f, 2.0f}}}},
    };
    std::map<std::string, std::vector<std::string>> texts{{"TYPX", {"MI", "BD", "UP"}},
                                                          {"SENX", {"N", "L"}}};
    std::set<std::string> unopenable;
    bool noRowSet = false;
    bool noColumnSet = false;
    bool processNameFails = false;
    std::string connectFailure;

    int connections = 0;
    int live = 0;
};

struct FakeObject {
    explicit FakeObject(FakeCase& fake) : m_fake(fake) { ++m_fake.live; }
    ~FakeObject() { --m_fake.live; }
    FakeCase& m_fake;
};

struct FakeSet : ILoomNameSet, FakeObject {
    FakeSet(FakeCase& fake, std::vector<std::string> names) : FakeObject(fake), names(names) {}
    std::vector<std::string> Names(std::int32_t) override { return names; }
    std::vector<std::string> names;
};

struct FakeTable : ILoomTable, FakeObject {
    FakeTable(FakeCase& fake, std::string name) : FakeObject(fake), m_name(std::move(name)) {}
    std::int32_t RowCount() override {
        return static_cast<std::int32_t>(m_name == "MATX" ? m_fake.rows.size()
                                                          : m_fake.texts[m_name].size());
    }
    std::int32_t ColumnCount() override { return static_cast<std::int32_t>(m_fake.columns.size()); }
    std::unique_ptr<ILoomNameSet> RowSet() override {
        return m_fake.noRowSet ? nullptr : std::make_unique<FakeSet>(m_fake, m_fake.rows);
    }
    std::unique_ptr<ILoomNameSet> ColumnSet() override {
        if (m_fake.noColumnSet) throw LoomCallError("no column set");
        return std::make_unique<FakeSet>(m_fake, m_fake.columns);
    }
    std::vector<LoomMatrixRecord> MatrixData() override { return m_fake.records; }
    LoomGrid Data() override { return m_fake.grids[m_name]; }
    std::vector<std::string> CellTexts(std::int32_t count, std::int32_t) override {
        std::vector<std::string> texts = m_fake.texts[m_name];
        texts.resize(std::min(texts.size(), static_cast<std::size_t>(count)));
        return texts;
    }
    std::string m_name;
};

struct FakeConnection : ILoomConnection, FakeObject {
    using FakeObject::FakeObject;
    void SetProcessName(const std::string&) override {
        if (m_fake.processNameFails) throw LoomCallError("no such process");
    }
    std::unique_ptr<ILoomTable> OpenTable(const std::string& name) override {
        return m_fake.unopenable.contains(name) ? nullptr
                                                : std::make_unique<FakeTable>(m_fake, name);
    }
};

inline std::unique_ptr<ILoomConnection> FakeCase::Connect() {
    ++connections;
    if (!connectFailure.empty()) throw LoomCallError(connectFailure);
    return std::make_unique<FakeConnection>(*this);
}

}  // namespace matrixtest

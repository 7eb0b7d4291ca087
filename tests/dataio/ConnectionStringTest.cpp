#include <gtest/gtest.h>

#include "ConnectionString.h"

namespace {

TEST(ConnectionStringTest, ReadsPairsBracesAndQuotes) {
    const ConnectionString s = ConnectionString::parse(
        " Provider = SQLOLEDB ; Data Source=\"C:\\a;b.mdb\";DRIVER={My }}Driver; x};"
        "Password='it''s';flag;;Empty=");
    EXPECT_EQ(s.find("provider"), "SQLOLEDB");
    EXPECT_EQ(s.find("DATA SOURCE"), "C:\\a;b.mdb");
    EXPECT_EQ(s.find("driver"), "My }Driver; x");
    EXPECT_EQ(s.find("Password"), "it's");
    EXPECT_EQ(s.find("flag"), "");
    EXPECT_EQ(s.find("Empty"), "");
    EXPECT_FALSE(s.find("missing").has_value());
    EXPECT_EQ(s.entries().size(), 6u);
}

TEST(ConnectionStringTest, WritesWhatReadsBackTheSame) {
    ConnectionString s;
    s.set("DRIVER", "SQLite3");
    s.set("Database", "/tmp/a;b {x}.db");
    s.set("PWD", " padded ");
    s.set("driver", "PostgreSQL Unicode");  // replaces, ignoring case, in place
    const std::string text = s.write();
    EXPECT_EQ(text, "DRIVER=PostgreSQL Unicode;Database={/tmp/a;b {x}}.db};PWD={ padded }");
    const ConnectionString back = ConnectionString::parse(text);
    EXPECT_EQ(back.entries(), s.entries());
    s.erase("database");
    EXPECT_EQ(s.write(), "DRIVER=PostgreSQL Unicode;PWD={ padded }");
}

}  // namespace

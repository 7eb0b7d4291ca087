#pragma once

#include <memory>
#include <string>
#include <vector>

#include "ChildChannel.h"
#include "OdbcConnection.h"

// A connection held by a child process, for drivers that can crash inside the calling process
// on a damaged file: the child connects, runs each statement and sends columns and rows back.
// A child that crashes, is killed or stops answering ends the session with an OdbcFailure.
class IsolatedOdbcSession {
public:
    // Starts the child and connects it with odbcConnect as it stands; null with error set
    // when the child cannot connect or does not survive connecting.
    static std::unique_ptr<IsolatedOdbcSession> start(const std::string& odbcConnect,
                                                      OdbcError& error, ChildLimits limits = {});

    const std::string& identifierQuote() const { return m_identifierQuote; }
    bool alive() const { return m_channel.alive(); }
    std::vector<std::string> tableNames();
    void query(const std::string& sql, const OdbcConnection::ColumnsReceiver& onColumns,
               const OdbcConnection::RowReceiver& onRow);

private:
    IsolatedOdbcSession(const std::string& odbcConnect, ChildLimits limits);
    // Sends a request; a broken child throws OdbcFailure.
    void send(char tag, const std::string& payload);
    // The next frame of an answer; an error frame or a broken child throws OdbcFailure.
    ChannelFrame answer();

    ChildChannel m_channel;
    std::string m_identifierQuote;
};

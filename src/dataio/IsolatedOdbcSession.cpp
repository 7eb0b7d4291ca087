#include "IsolatedOdbcSession.h"

#include <stdexcept>

#include "OdbcHandles.h"
#include "OdbcWire.h"

namespace {

// Frame tags. Parent to child: a query or the table list. Child to parent: connected (with the
// identifier quote), columns, a batch of rows, done, table names, failure.
constexpr char kQuery = 'Q';
constexpr char kTables = 'T';
constexpr char kConnected = 'K';
constexpr char kColumns = 'C';
constexpr char kRows = 'R';
constexpr char kDone = 'D';
constexpr char kNames = 'N';
constexpr char kFailure = 'E';

// Rows travel in batches of about this size, so that a large table costs few frames.
constexpr std::size_t kBatchBytes = 64 * 1024;

constexpr const char* kChildCall = "reading process";

void sendFailure(int socket, const OdbcError& error, const std::string& call) {
    WireWriter out;
    writeFailure(out, error, call);
    writeChannelFrame(socket, kFailure, out.bytes());
}

void answerQuery(int socket, const OdbcConnection& connection, const std::string& sql) {
    WireWriter batch;
    std::int64_t batched = 0;
    WireWriter rows;
    const auto flush = [&] {
        if (batched == 0) return true;
        batch.i64(batched);
        batch.bytes() += rows.bytes();
        const bool sent = writeChannelFrame(socket, kRows, batch.bytes());
        batch.bytes().clear();
        rows.bytes().clear();
        batched = 0;
        return sent;
    };
    try {
        connection.Query(
            sql,
            [socket](const std::vector<OdbcResultColumn>& columns) {
                WireWriter out;
                writeColumns(out, columns);
                if (!writeChannelFrame(socket, kColumns, out.bytes()))
                    throw std::runtime_error("parent gone");
            },
            [&](std::vector<FetchedValue>& row) {
                writeRow(rows, row);
                ++batched;
                if (rows.bytes().size() >= kBatchBytes && !flush())
                    throw std::runtime_error("parent gone");
            });
        if (flush()) writeChannelFrame(socket, kDone, {});
    } catch (const OdbcFailure& failure) {
        sendFailure(socket, failure.error(), failure.call());
    }
}

void answerTables(int socket, const OdbcConnection& connection) {
    try {
        WireWriter out;
        writeNames(out, connection.TableNames());
        writeChannelFrame(socket, kNames, out.bytes());
    } catch (const OdbcFailure& failure) {
        sendFailure(socket, failure.error(), failure.call());
    }
}

// The child: connect, then answer requests until the parent closes its end.
void serve(int socket, const std::string& odbcConnect) {
    OdbcConnection connection;
    if (!connection.OpenDirect(odbcConnect)) {
        sendFailure(socket, connection.lastError(), "SQLDriverConnect");
        return;
    }
    if (!writeChannelFrame(socket, kConnected, connection.IdentifierQuote())) return;
    for (ChannelFrame frame; readChannelFrame(socket, frame);) {
        if (frame.tag == kQuery) answerQuery(socket, connection, frame.payload);
        if (frame.tag == kTables) answerTables(socket, connection);
    }
}

}  // namespace

IsolatedOdbcSession::IsolatedOdbcSession(const std::string& odbcConnect, ChildLimits limits)
    : m_channel([odbcConnect](int socket) { serve(socket, odbcConnect); }, limits) {}

std::unique_ptr<IsolatedOdbcSession> IsolatedOdbcSession::start(const std::string& odbcConnect,
                                                                OdbcError& error,
                                                                ChildLimits limits) {
    try {
        std::unique_ptr<IsolatedOdbcSession> session(new IsolatedOdbcSession(odbcConnect, limits));
        const ChannelFrame connected = session->answer();
        if (connected.tag != kConnected)
            throw OdbcFailure({"", 0, "unexpected answer"}, kChildCall);
        session->m_identifierQuote = connected.payload;
        return session;
    } catch (const OdbcFailure& failure) {
        error = failure.error();
    } catch (const ChildChannelFailure& failure) {
        error = OdbcError{"", 0, std::string("The database driver failed: ") + failure.what()};
    }
    return nullptr;
}

ChannelFrame IsolatedOdbcSession::answer() {
    ChannelFrame frame;
    try {
        frame = m_channel.receive();
    } catch (const ChildChannelFailure& failure) {
        throw OdbcFailure({"", 0, std::string("The database driver failed: ") + failure.what()},
                          kChildCall);
    }
    if (frame.tag != kFailure) return frame;
    WireReader in(frame.payload);
    std::string call;
    const OdbcError error = readFailure(in, call);
    throw OdbcFailure(error, call);
}

void IsolatedOdbcSession::send(char tag, const std::string& payload) {
    try {
        m_channel.request(tag, payload);
    } catch (const ChildChannelFailure& failure) {
        throw OdbcFailure({"", 0, std::string("The database driver failed: ") + failure.what()},
                          kChildCall);
    }
}

std::vector<std::string> IsolatedOdbcSession::tableNames() {
    send(kTables, {});
    const ChannelFrame names = answer();
    WireReader in(names.payload);
    return readNames(in);
}

void IsolatedOdbcSession::query(const std::string& sql,
                                const OdbcConnection::ColumnsReceiver& onColumns,
                                const OdbcConnection::RowReceiver& onRow) {
    send(kQuery, sql);
    std::vector<FetchedValue> row;
    try {
        for (ChannelFrame frame = answer(); frame.tag != kDone; frame = answer()) {
            WireReader in(frame.payload);
            if (frame.tag == kColumns) {
                onColumns(readColumns(in));
            } else if (frame.tag == kRows) {
                for (std::int64_t count = in.i64(); count > 0; --count) {
                    readRow(in, row);
                    onRow(row);
                }
            }
        }
    } catch (const OdbcFailure& failure) {
        // The child ends its answer with the failure, so it is still in step; a broken child
        // was already ended by the channel.
        throw;
    } catch (const std::runtime_error& broken) {
        m_channel.abandon();
        throw OdbcFailure({"", 0, std::string("The reading process sent ") + broken.what()},
                          kChildCall);
    } catch (...) {
        // The receiver failed half way through the answer: the rest cannot be told from the
        // next answer, so the child goes.
        m_channel.abandon();
        throw;
    }
}

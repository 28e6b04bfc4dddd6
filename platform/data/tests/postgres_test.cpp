// A shared PostgreSQL server: one that is not running is a clear error;
// one that goes away in the middle of a transaction keeps none of it;
// two programs writing into one table at the same time both keep every
// row.
#include <winsock2.h>

#include "database_fixture.h"
#include "testing/child_process.h"

namespace {

class Postgres : public ::testing::Test {
protected:
    void SetUp() override {
        PostgresForTest(Connection);
        if (Connection.empty()) return;
        Server = Connect("Server");
        TableName = Format("writers_%u", GetCurrentProcessId());
        CreateWidgetsTable(*Server, TableName);
    }
    void TearDown() override {
        if (Server) Server->Execute("DROP TABLE IF EXISTS " + TableName);
    }

    TDatabase* Connect(const AnsiString& name, const AnsiString& connection = "") {
        auto* database = new TDatabase(&Root);
        database->SetDatabaseName(name);
        database->SetConnectionString(connection.empty() ? Connection : connection);
        database->Open();
        return database;
    }

    int Rows(const AnsiString& condition = "1 = 1") {
        TQuery count(&Root);
        count.SetDatabaseName("Server");
        count.SQL()->SetText("SELECT COUNT(*) FROM " + TableName + " WHERE " + condition);
        count.Open();
        return count.Fields(0)->AsInteger();
    }

    TComponent Root{nullptr};
    AnsiString Connection;
    AnsiString TableName;
    TDatabase* Server = nullptr;
};

// A loopback port where nothing listens.
int UnusedPort() {
    WSADATA data;
    WSAStartup(MAKEWORD(2, 2), &data);
    SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address);
    int length = sizeof address;
    getsockname(s, reinterpret_cast<sockaddr*>(&address), &length);
    closesocket(s);
    WSACleanup();
    return ntohs(address.sin_port);
}

TEST_F(Postgres, AServerThatIsNotRunningIsAClearErrorAndOpensNothing) {
    auto* absent = new TDatabase(&Root);
    absent->SetDatabaseName("Absent");
    absent->SetConnectionString(WithConnectionStringValue(Connection, "Port", IntToStr(UnusedPort())));
    TTable table(&Root);
    table.SetDatabaseName("Absent");
    table.SetTableName(TableName);
    try {
        table.Open();
        ADD_FAILURE() << "connected to a server that is not there";
    } catch (const EDatabaseError& e) {
        EXPECT_EQ(e.Doing(), "connecting to database Absent");
        EXPECT_EQ(e.SQLState(), "08001") << e.Message();
        // The connection string (with its password) is never shown.
        EXPECT_EQ(e.Message().find("Pwd"), AnsiString::npos) << e.Message();
    }
    EXPECT_FALSE(absent->Connected());
    EXPECT_EQ(table.State(), dsInactive);
}

TEST_F(Postgres, AServerGoneInTheMiddleOfATransactionKeepsNoneOfIt) {
    TDatabase* lost = Connect("Lost");
    TQuery pid(&Root);
    pid.SetDatabaseName("Lost");
    pid.SQL()->SetText("SELECT pg_backend_pid()");
    pid.Open();
    TTable table(&Root);
    table.SetDatabaseName("Lost");
    table.SetTableName(TableName);
    table.Open();
    lost->StartTransaction();
    for (const char* name : {"one", "two"}) {
        table.Insert();
        table.FieldByName("Name")->SetAsString(name);
        table.Post();
    }
    // The server ends that connection (as it does when it stops).
    TQuery kill(&Root);
    kill.SetDatabaseName("Server");
    kill.SQL()->SetText("SELECT pg_terminate_backend(:Pid)");
    kill.ParamByName("Pid")->SetAsInteger(pid.Fields(0)->AsInteger());
    kill.Open();

    table.Insert();
    table.FieldByName("Name")->SetAsString("three");
    try {
        table.Post();
        ADD_FAILURE() << "posted over a connection that is gone";
    } catch (const EDatabaseError& e) {
        EXPECT_EQ(e.Doing(), "posting a new record to TTable (" + TableName + ")");
        EXPECT_FALSE(e.SQLState().empty()) << e.Message();
    }
    EXPECT_EQ(table.State(), dsInsert);
    // The driver reports the commit of a lost transaction as done.
    try {
        lost->Commit();
        ADD_FAILURE() << "committed over a connection that is gone";
    } catch (const EDatabaseError& e) {
        EXPECT_EQ(e.Message(), "database Lost: the connection was lost, so the transaction was not committed");
    }
    EXPECT_FALSE(lost->InTransaction());
    EXPECT_EQ(Rows(), 0);
}

TEST_F(Postgres, TwoProgramsWritingAtOnceBothKeepAllTheirRows) {
    const int count = 40;
    AnsiString start = Format("data-writers-start-%u", GetCurrentProcessId());
    HANDLE go = CreateEventA(nullptr, TRUE, FALSE, start.c_str());
    std::vector<HANDLE> ready;
    std::vector<std::unique_ptr<suite::testing::ChildProcess>> writers;
    for (const char* tag : {"A", "B"}) {
        ready.push_back(CreateEventA(nullptr, TRUE, FALSE, (start + "-ready-" + tag).c_str()));
        writers.push_back(std::make_unique<suite::testing::ChildProcess>(
            Format("data_writer.exe %s %s %d %s", TableName, tag, count, start)));
        ASSERT_TRUE(writers.back()->Started());
    }
    // Both are connected and waiting: let them go together.
    ASSERT_EQ(WaitForMultipleObjects(2, ready.data(), TRUE, 60000), WAIT_OBJECT_0);
    SetEvent(go);
    for (auto& writer : writers) EXPECT_EQ(writer->Wait(60000), 0u);
    for (HANDLE h : ready) CloseHandle(h);
    CloseHandle(go);
    EXPECT_EQ(Rows("Name = 'A'"), count);
    EXPECT_EQ(Rows("Name = 'B'"), count);
}

}  // namespace

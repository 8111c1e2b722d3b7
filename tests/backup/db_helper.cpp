// SPDX-License-Identifier: GPL-3.0-or-later
// A second process on a database file, for the tests:
//   db_helper write PATH N   commits N rows to table burst, one transaction
//                            each, printing each row's number once committed;
//                            the rows stay in the write-ahead log (no
//                            checkpoint); then holds the file until stdin closes
//   db_helper hold PATH      opens the file, prints "ready", holds it until stdin closes
//   db_helper crash PATH N   commits N rows as write does and ends without
//                            closing, leaving them in the log
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sqlite3.h>
#include <string>
#include <unistd.h>

namespace {

sqlite3* openShared(const char* path) {
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(path, &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
        std::fprintf(stderr, "open: %s\n", sqlite3_errmsg(db));
        std::exit(2);
    }
    sqlite3_busy_timeout(db, 20000);
    sqlite3_exec(db, "PRAGMA journal_mode=WAL", nullptr, nullptr, nullptr);
    sqlite3_exec(db, "PRAGMA wal_autocheckpoint=0", nullptr, nullptr, nullptr);
    return db;
}

void run(sqlite3* db, const std::string& statement) {
    char* error = nullptr;
    if (sqlite3_exec(db, statement.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
        std::fprintf(stderr, "%s: %s\n", statement.c_str(), error ? error : "?");
        std::exit(3);
    }
}

void write(sqlite3* db, long count) {
    run(db, "create table if not exists burst(n integer primary key, payload text)");
    for (long i = 1; i <= count; ++i) {
        run(db, "begin immediate; insert into burst values(" + std::to_string(i) +
                    ", hex(randomblob(300))); commit");
        std::printf("%ld\n", i);
        std::fflush(stdout);
    }
}

void holdUntilStdinCloses() {
    char buffer[64];
    while (read(0, buffer, sizeof buffer) > 0) {
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3)
        return 2;
    const std::string command = argv[1];
    sqlite3* db = openShared(argv[2]);
    if (command == "hold") {
        run(db, "select count(*) from sqlite_master");
        // A read keeps the file open in the log's shared memory.
        std::printf("ready\n");
        std::fflush(stdout);
        holdUntilStdinCloses();
    } else if (command == "write" && argc == 4) {
        write(db, std::atol(argv[3]));
        std::printf("done\n");
        std::fflush(stdout);
        holdUntilStdinCloses();
    } else if (command == "crash" && argc == 4) {
        write(db, std::atol(argv[3]));
        std::_Exit(0);
    } else {
        return 2;
    }
    sqlite3_close(db);
    return 0;
}

#include "platform/RegistryDatabase.h"

#include <sqlite3.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <memory>

namespace pressmoor::platform {

namespace {

// Long enough for any honest writer to finish; a store is written in
// single small transactions.
constexpr int kBusyTimeoutMilliseconds = 30000;

constexpr const char* kSchema =
    "CREATE TABLE IF NOT EXISTS keys("
    "  path TEXT NOT NULL COLLATE NOCASE PRIMARY KEY);"
    "CREATE TABLE IF NOT EXISTS entries("
    "  key TEXT NOT NULL COLLATE NOCASE,"
    "  name TEXT NOT NULL COLLATE NOCASE,"
    "  type INTEGER NOT NULL,"
    "  data BLOB NOT NULL,"
    "  PRIMARY KEY(key, name));";

struct CloseConnection {
  void operator()(sqlite3* db) const { sqlite3_close_v2(db); }
};
using Connection = std::unique_ptr<sqlite3, CloseConnection>;
using Body = std::function<LONG(sqlite3*)>;

class Statement {
 public:
  Statement(sqlite3* db, const char* sql) {
    ok_ = sqlite3_prepare_v2(db, sql, -1, &statement_, nullptr) == SQLITE_OK;
  }
  ~Statement() { sqlite3_finalize(statement_); }
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;

  Statement& Bind(int index, const std::string& text) {
    if (ok_) {
      ok_ = sqlite3_bind_text(statement_, index, text.data(), static_cast<int>(text.size()),
                              SQLITE_TRANSIENT) == SQLITE_OK;
    }
    return *this;
  }
  Statement& Bind(int index, sqlite3_int64 number) {
    if (ok_) ok_ = sqlite3_bind_int64(statement_, index, number) == SQLITE_OK;
    return *this;
  }
  Statement& Bind(int index, const std::vector<unsigned char>& blob) {
    // A zero-length blob must still be a blob, not NULL.
    static const unsigned char kNothing = 0;
    if (ok_) {
      ok_ = sqlite3_bind_blob(statement_, index, blob.empty() ? &kNothing : blob.data(),
                              static_cast<int>(blob.size()), SQLITE_TRANSIENT) == SQLITE_OK;
    }
    return *this;
  }
  // SQLITE_ROW, SQLITE_DONE, or an error.
  int Step() { return ok_ ? sqlite3_step(statement_) : SQLITE_ERROR; }

  std::string Text(int column) {
    const unsigned char* text = sqlite3_column_text(statement_, column);
    int size = sqlite3_column_bytes(statement_, column);
    return text ? std::string(reinterpret_cast<const char*>(text), static_cast<size_t>(size))
                : std::string();
  }
  std::vector<unsigned char> Blob(int column) {
    const auto* bytes = static_cast<const unsigned char*>(sqlite3_column_blob(statement_, column));
    int size = sqlite3_column_bytes(statement_, column);
    return bytes ? std::vector<unsigned char>(bytes, bytes + size) : std::vector<unsigned char>();
  }
  sqlite3_int64 Integer(int column) { return sqlite3_column_int64(statement_, column); }

 private:
  sqlite3_stmt* statement_ = nullptr;
  bool ok_ = false;
};

Connection Open(const std::string& file, int flags) {
  sqlite3* raw = nullptr;
  int status = sqlite3_open_v2(file.c_str(), &raw, flags, nullptr);
  Connection db(raw);
  if (status != SQLITE_OK) return nullptr;
  sqlite3_busy_timeout(raw, kBusyTimeoutMilliseconds);
  return db;
}

bool Execute(sqlite3* db, const char* sql) {
  return sqlite3_exec(db, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
}

LONG Read(const std::string& file, const Body& body) {
  if (access(file.c_str(), F_OK) != 0) return ERROR_FILE_NOT_FOUND;
  // Read-write where allowed, so a reader can roll back a crashed writer's journal.
  int flags = access(file.c_str(), W_OK) == 0 ? SQLITE_OPEN_READWRITE : SQLITE_OPEN_READONLY;
  Connection db = Open(file, flags);
  return db ? body(db.get()) : ERROR_FILE_NOT_FOUND;
}

LONG Write(const std::string& file, const Body& body) {
  std::filesystem::path parent = std::filesystem::path(file).parent_path();
  std::error_code ignored;  // a directory that cannot be made fails the open below
  if (!parent.empty()) std::filesystem::create_directories(parent, ignored);
  Connection db = Open(file, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
  if (!db) return ERROR_ACCESS_DENIED;
  if (!Execute(db.get(), "BEGIN IMMEDIATE")) return ERROR_ACCESS_DENIED;
  LONG status = Execute(db.get(), kSchema) ? body(db.get()) : ERROR_ACCESS_DENIED;
  if (status == ERROR_SUCCESS && !Execute(db.get(), "COMMIT")) status = ERROR_ACCESS_DENIED;
  if (status != ERROR_SUCCESS) Execute(db.get(), "ROLLBACK");
  return status;
}

bool KeyRowExists(sqlite3* db, const std::string& path) {
  if (path.empty()) return true;
  Statement query(db, "SELECT 1 FROM keys WHERE path = ?1");
  return query.Bind(1, path).Step() == SQLITE_ROW;
}

// Inserts the key and every missing key above it; true when the key itself is new.
bool InsertKeyChain(sqlite3* db, const std::string& path, bool* created) {
  *created = false;
  for (size_t end = 0; end != std::string::npos && !path.empty();) {
    end = path.find('\\', end + 1);
    Statement insert(db, "INSERT OR IGNORE INTO keys(path) VALUES(?1)");
    if (insert.Bind(1, path.substr(0, end)).Step() != SQLITE_DONE) return false;
    *created = sqlite3_changes(db) > 0;
  }
  return true;
}

// The SQL condition "column lies below ?2", with ?2 the parent path plus "\".
#define BELOW(column) "substr(" column ", 1, length(?2)) = ?2 COLLATE NOCASE"

}  // namespace

LONG RegistryDatabase::KeyExists(const std::string& path) const {
  return Read(file_, [&](sqlite3* db) {
    return KeyRowExists(db, path) ? ERROR_SUCCESS : ERROR_FILE_NOT_FOUND;
  });
}

LONG RegistryDatabase::ReadValue(const std::string& path, const std::string& name, DWORD* type,
                                 std::vector<unsigned char>* data) const {
  return Read(file_, [&](sqlite3* db) {
    Statement query(db, "SELECT type, data FROM entries WHERE key = ?1 AND name = ?2");
    if (query.Bind(1, path).Bind(2, name).Step() != SQLITE_ROW) return ERROR_FILE_NOT_FOUND;
    *type = static_cast<DWORD>(query.Integer(0));
    *data = query.Blob(1);
    return ERROR_SUCCESS;
  });
}

LONG RegistryDatabase::ListValues(const std::string& path,
                                  std::vector<RegistryValue>* values) const {
  return Read(file_, [&](sqlite3* db) {
    if (!KeyRowExists(db, path)) return ERROR_FILE_NOT_FOUND;
    Statement query(db, "SELECT name, type, data FROM entries WHERE key = ?1 ORDER BY rowid");
    query.Bind(1, path);
    int step;
    while ((step = query.Step()) == SQLITE_ROW) {
      values->push_back({query.Text(0), static_cast<DWORD>(query.Integer(1)), query.Blob(2)});
    }
    return step == SQLITE_DONE ? ERROR_SUCCESS : ERROR_FILE_NOT_FOUND;
  });
}

LONG RegistryDatabase::ListSubKeys(const std::string& path,
                                   std::vector<std::string>* names) const {
  return Read(file_, [&](sqlite3* db) {
    if (!KeyRowExists(db, path)) return ERROR_FILE_NOT_FOUND;
    Statement query(db,
                    "SELECT substr(path, length(?2) + 1) AS child FROM keys"
                    " WHERE " BELOW("path") " AND length(path) > length(?2)"
                    " AND instr(child, '\\') = 0 ORDER BY child COLLATE NOCASE");
    query.Bind(2, path.empty() ? path : path + "\\");
    int step;
    while ((step = query.Step()) == SQLITE_ROW) names->push_back(query.Text(0));
    return step == SQLITE_DONE ? ERROR_SUCCESS : ERROR_FILE_NOT_FOUND;
  });
}

LONG RegistryDatabase::CreateKey(const std::string& path, bool* created) const {
  return Write(file_, [&](sqlite3* db) {
    return InsertKeyChain(db, path, created) ? ERROR_SUCCESS : ERROR_ACCESS_DENIED;
  });
}

LONG RegistryDatabase::WriteValue(const std::string& path, const std::string& name, DWORD type,
                                  const std::vector<unsigned char>& data) const {
  return Write(file_, [&](sqlite3* db) {
    bool created = false;
    if (!InsertKeyChain(db, path, &created)) return ERROR_ACCESS_DENIED;
    // An upsert keeps the spelling under which the value was first written.
    Statement upsert(db,
                     "INSERT INTO entries(key, name, type, data) VALUES(?1, ?2, ?3, ?4)"
                     " ON CONFLICT(key, name) DO UPDATE SET type = excluded.type,"
                     " data = excluded.data");
    upsert.Bind(1, path).Bind(2, name).Bind(3, static_cast<sqlite3_int64>(type)).Bind(4, data);
    return upsert.Step() == SQLITE_DONE ? ERROR_SUCCESS : ERROR_ACCESS_DENIED;
  });
}

LONG RegistryDatabase::DeleteValue(const std::string& path, const std::string& name) const {
  return Write(file_, [&](sqlite3* db) {
    Statement remove(db, "DELETE FROM entries WHERE key = ?1 AND name = ?2");
    if (remove.Bind(1, path).Bind(2, name).Step() != SQLITE_DONE) return ERROR_ACCESS_DENIED;
    return sqlite3_changes(db) > 0 ? ERROR_SUCCESS : ERROR_FILE_NOT_FOUND;
  });
}

LONG RegistryDatabase::DeleteTree(const std::string& path) const {
  return Write(file_, [&](sqlite3* db) {
    if (!KeyRowExists(db, path)) return ERROR_FILE_NOT_FOUND;
    Statement values(db, "DELETE FROM entries WHERE key = ?1 OR " BELOW("key"));
    Statement keys(db, "DELETE FROM keys WHERE path = ?1 OR " BELOW("path"));
    std::string below = path.empty() ? path : path + "\\";
    bool done = values.Bind(1, path).Bind(2, below).Step() == SQLITE_DONE &&
                keys.Bind(1, path).Bind(2, below).Step() == SQLITE_DONE;
    return done ? ERROR_SUCCESS : ERROR_ACCESS_DENIED;
  });
}

}  // namespace pressmoor::platform

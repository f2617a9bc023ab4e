// The server's state: tag catalogue with generators, written values and history,
// accounts (operators), actors and volumes. Not locked itself: the server holds
// one mutex around every use.
#pragma once
#include <array>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "generator.h"
#include "md5.h"
#include "tagsim.h"
#include "wire.h"

namespace tagsim {

constexpr size_t kAttrSize = 256;
constexpr size_t kActorSize = 128;
constexpr size_t kOperatorSize = 160;
constexpr size_t kVolumeSize = 64;
constexpr size_t kNameMax = 79;       // tag names
constexpr size_t kVarDataMax = 3999;  // string and blob values
constexpr int kDefaultHistorySeconds = 5;

// Layout of the attribute record. Type, name, description, unit and the two import
// bytes are fixed by the client; the rest is this server's own.
namespace attr {
constexpr size_t kId = 0;  // 32-bit tag number
constexpr size_t kType = 4;
constexpr size_t kImportOk = 7;  // 1 in every record the server returns for a tag it holds
constexpr size_t kHistorySeconds = 8;
constexpr size_t kName = 12;           // 80 bytes
constexpr size_t kDescription = 92;    // 80 bytes
constexpr size_t kUnit = 172;          // 16 bytes
constexpr size_t kLow = 188;           // double: lower end of the value range
constexpr size_t kHigh = 196;          // double: upper end
constexpr size_t kImportResult = 252;  // signed: 0, or an ImportError
}  // namespace attr

enum ImportError : int8_t {
  kImportBadName = -1,
  kImportBadType = -2,
  kImportExists = -3,
  kImportMissing = -4,
  kImportBadMode = -5,
};
enum ImportMode : uint32_t { kImportCreateOrChange = 0, kImportCreateOnly = 1, kImportChangeOnly = 2 };

struct VarValue {
  uint8_t type = kTypeString;
  uint8_t quality = kQualityGood;
  uint32_t time = 0;
  std::string data;
};

struct Tag {
  uint32_t id = 0;
  uint8_t type = kTypeFloat64;
  std::string name, description, unit;
  int historySeconds = kDefaultHistorySeconds;
  Generator generator;
  std::array<uint8_t, kAttrSize> extra{};  // server bytes of the last import, kept

  bool frozen = false;  // a written value replaced the generator
  Value16 value{};      // numeric tags, while frozen
  VarValue var;         // string and blob tags, while frozen

  std::map<int64_t, Value16> history;      // written history of numeric tags
  std::map<int64_t, VarValue> varHistory;  // written history of string and blob tags
};

struct Account {
  std::array<uint8_t, kOperatorSize> record{};  // name 0..15, MD5 16..31, rights 32..35
  std::string Name() const { return GetFixedText(record.data(), 16); }
};

// Layout of operator and actor records as this server keeps them.
namespace oprec {
constexpr size_t kName = 0;     // 16 bytes
constexpr size_t kDigest = 16;  // 16 bytes, never listed
constexpr size_t kRights = 32;
}  // namespace oprec
namespace actrec {
constexpr size_t kName = 0;  // 32 bytes
}
// Volume record: number, loaded flag, first and last time, name (32 bytes at 16).
namespace volrec {
constexpr size_t kNumber = 0;
constexpr size_t kLoaded = 4;
constexpr size_t kFrom = 8;
constexpr size_t kTo = 12;
constexpr size_t kName = 16;
}  // namespace volrec

struct Volume {
  uint32_t number = 0;
  bool loaded = false;
  uint32_t from = 0, to = 0;
};

// One history sample as the pages carry it.
struct HisSample {
  int64_t time;
  Value16 value;
};
using SampleFilter = std::function<bool(const Value16&)>;
using SampleVisitor = std::function<bool(const HisSample&)>;  // false stops the walk

class Store {
 public:
  Store();

  // Catalogue.
  Tag* Find(const std::string& name);
  const Tag* Find(const std::string& name) const;
  Tag& Put(Tag tag);  // adds or replaces by name, keeping the id of a replaced tag
  bool Remove(const std::string& name);
  void ClearTags() { tags_.clear(); }
  const std::map<std::string, Tag>& Tags() const { return tags_; }

  // Values at a time in milliseconds (numeric tags / string and blob tags).
  Value16 CurrentValue(const Tag& tag, int64_t nowMs) const;
  VarValue CurrentVar(const Tag& tag, int64_t nowMs) const;
  Value16 ValueAt(const Tag& tag, int64_t seconds) const;  // history at a time
  VarValue VarAt(const Tag& tag, int64_t seconds) const;

  // History samples with from <= time <= to, in time order, at most max; *more tells
  // whether further samples lie in the range. At most kScanLimit samples are looked
  // at, so a huge range with a filter that rarely matches ends early.
  std::vector<HisSample> History(const Tag& tag, int64_t from, int64_t to, size_t max, bool* more,
                                 const SampleFilter& filter = nullptr) const;
  void VisitHistory(const Tag& tag, int64_t from, int64_t to, const SampleVisitor& visit) const;

  // The attribute record of a tag.
  std::array<uint8_t, kAttrSize> Attributes(const Tag& tag) const;

  // Accounts (the server's operators).
  void AddAccount(const std::string& name, const Md5Digest& digest, uint32_t rights);
  Account* FindAccount(const std::string& name);
  std::vector<Account>& Accounts() { return accounts_; }
  std::vector<std::array<uint8_t, kActorSize>>& Actors() { return actors_; }
  std::vector<Volume>& Volumes() { return volumes_; }

  static constexpr size_t kScanLimit = 5000000;

 private:
  std::map<std::string, Tag> tags_;
  uint32_t nextId_ = 1;
  std::vector<Account> accounts_;
  std::vector<std::array<uint8_t, kActorSize>> actors_;
  std::vector<Volume> volumes_;
};

// Tag file text (see demo-tags.txt): adds tags and accounts to the store. Stops at
// the first bad line (the lines before it have been added). LoadTagText takes
// the text as GBK bytes; LoadTagFileText converts a UTF-8 text to GBK first.
bool LoadTagText(const std::string& text, Store* store, std::string* error);
bool LoadTagFileText(const std::string& text, Store* store, std::string* error);

}  // namespace tagsim

// RecordList: the owning, ordered list of records behind every collection.
//
// The list owns its records: removing or clearing deletes them. Look-ups that find nothing fall
// back the way the lists always have: an index out of range gives the last record, a record that
// is not in the list gives the last (GetNext) or first (GetPrevious) record.
#pragma once

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <memory>
#include <string>

#include <type_traits>
#include <vector>

#include "navigation/navigation.h"
#include "records/archive.h"
#include "records/position.h"

namespace keelmark {

template <typename Record>
class RecordList {
 public:
  // Records live on their own and never move, so pointers to them stay valid across inserts and
  // removals; the list itself is one array of pointers, which a recalculation walks quickly and
  // an index reaches directly. Iterators do not survive a change of the list.
  using Storage = std::vector<std::unique_ptr<Record>>;

  RecordList() = default;
  virtual ~RecordList() = default;
  RecordList(RecordList&&) noexcept = default;
  RecordList& operator=(RecordList&&) noexcept = default;
  // A copy owns copies of the records (an editor's working copy of a record with lists).
  RecordList(const RecordList& other) { CopyRecordsOf(other); }
  RecordList& operator=(const RecordList& other) {
    if (this != &other) {
      RemoveAll();
      CopyRecordsOf(other);
    }
    return *this;
  }

  [[nodiscard]] int GetCount() const { return static_cast<int>(records_.size()); }
  [[nodiscard]] bool IsEmpty() const { return records_.empty(); }

  Record* Add(std::unique_ptr<Record> record) {
    records_.push_back(std::move(record));
    return records_.back().get();
  }
  Record* AddFirst(std::unique_ptr<Record> record) {
    return records_.insert(records_.begin(), std::move(record))->get();
  }
  // Inserts after existing; appends when existing is not in this list (or is null).
  Record* InsertAfter(const Record* existing, std::unique_ptr<Record> record) {
    auto it = Find(existing);
    if (it == records_.end()) return Add(std::move(record));
    return records_.insert(std::next(it), std::move(record))->get();
  }

  // Inserts before existing; puts the record first when existing is not in this list.
  Record* InsertBefore(const Record* existing, std::unique_ptr<Record> record) {
    auto it = Find(existing);
    if (it == records_.end()) return AddFirst(std::move(record));
    return records_.insert(it, std::move(record))->get();
  }
  // Swaps the record with its neighbour one place towards the tail (step 1) or the head
  // (step -1). False, with nothing changed, when there is no such neighbour.
  bool MoveBy(const Record* record, int step) {
    auto it = Find(record);
    if (it == records_.end() || (step != 1 && step != -1)) return false;
    if (step < 0 && it == records_.begin()) return false;
    auto other = step > 0 ? std::next(it) : std::prev(it);
    if (other == records_.end()) return false;
    std::iter_swap(it, other);
    return true;
  }
  // Turns the order of the records around.
  void Reverse() { std::reverse(records_.begin(), records_.end()); }

  // The record at a 0-based index; an index outside 0..count-1 gives the last record, an empty
  // list none.
  [[nodiscard]] Record* GetAt(int index) const {
    if (records_.empty()) return nullptr;
    if (index < 0 || index >= GetCount()) return records_.back().get();
    return records_[static_cast<std::size_t>(index)].get();
  }
  [[nodiscard]] Record* GetFirst() const {
    return records_.empty() ? nullptr : records_.front().get();
  }
  [[nodiscard]] Record* GetLast() const {
    return records_.empty() ? nullptr : records_.back().get();
  }
  // The record after this one; the last record when it is not in the list or is the last.
  [[nodiscard]] Record* GetNext(const Record* record) const {
    auto it = Find(record);
    if (it == records_.end() || std::next(it) == records_.end()) return GetLast();
    return std::next(it)->get();
  }
  // The record before this one; the first record when it is the first or not in the list.
  [[nodiscard]] Record* GetPrevious(const Record* record) const {
    auto it = Find(record);
    if (it == records_.end() || it == records_.begin()) return GetFirst();
    return std::prev(it)->get();
  }
  // 0-based index of the record, or -1 when it is not in the list.
  [[nodiscard]] int IndexOf(const Record* record) const {
    auto it = Find(record);
    return it == records_.end() ? -1 : static_cast<int>(std::distance(records_.begin(), it));
  }

  // Deletes the record and reports true when it is in this list; otherwise leaves it alone.
  bool Remove(const Record* record) {
    auto it = Find(record);
    if (it == records_.end()) return false;
    records_.erase(it);
    return true;
  }
  // Takes the record out of the list without deleting it.
  std::unique_ptr<Record> Detach(const Record* record) {
    auto it = Find(record);
    if (it == records_.end()) return nullptr;
    std::unique_ptr<Record> owned = std::move(*it);
    records_.erase(it);
    return owned;
  }
  // Deletes every record, tail first.
  // Deletes every record for which remove(record) holds, the others keeping their order, in one
  // pass (removing them one by one moves the rest of the list each time).
  template <typename Predicate>
  void RemoveIf(Predicate remove) {
    std::erase_if(records_, [&remove](const auto& owned) { return remove(*owned); });
  }
  // Moves every record of other, in order, to the end of this list; other is left empty.
  void AppendAllOf(RecordList& other) {
    if (&other == this) return;
    records_.reserve(records_.size() + other.records_.size());
    for (auto& record : other.records_) records_.push_back(std::move(record));
    other.records_.clear();
  }
  void RemoveAll() {
    while (!records_.empty()) records_.pop_back();
  }

  // The n-th (from 0) record that shown(record) accepts, in list order; none when there is no
  // such record (n < 0 included).
  template <typename Shown>
  [[nodiscard]] Record* NthWhere(int n, Shown shown) const {
    if (n < 0) return nullptr;
    for (const auto& record : records_) {
      if (!shown(*record)) continue;
      if (n == 0) return record.get();
      --n;
    }
    return nullptr;
  }

  // The record nearest the position by great circle; the first of equal distances; none when
  // the list is empty.
  [[nodiscard]] Record* Nearest(const CPosition2& position) const {
    const CNavigation navigation;
    double best = 1.0e16;
    int bestIndex = 0;
    int index = 0;
    for (const auto& record : records_) {
      const double d = navigation.Distance(position, *record, true);
      if (d < best) {
        best = d;
        bestIndex = index;
      }
      ++index;
    }
    return GetAt(bestIndex);
  }

  // Hours from a's Time to b's Time.
  [[nodiscard]] static double HoursBetween(const Record& a, const Record& b) {
    return (b.GetTime() - a.GetTime()) * 24.0;
  }

  // The first record with exactly this name; the last record when none has it; none when empty.
  [[nodiscard]] Record* FindByName(const std::string& name) const {
    for (const auto& record : records_) {
      if (record->GetName() == name) return record.get();
    }
    return GetLast();
  }
  [[nodiscard]] bool ContainsName(const std::string& name) const {
    return std::any_of(records_.begin(), records_.end(),
                       [&name](const auto& record) { return record->GetName() == name; });
  }

  // The list shape of the files: i32 count, then each record head to tail. Loading deletes what
  // the list holds first; a count of 0 or less is an empty list.
  void SerializeRecords(Archive& archive) {
    SerializeRecordsWith(archive, MinimumRecordBytes(),
                         [](Record& record, Archive& a) { record.Serialize(a); });
  }
  // The same list shape with another per-record layout (serializeOne(record, archive)), for
  // lists whose records are written in a shortened or as-read form; each new record starts
  // with its defaults.
  template <typename SerializeOne>
  void SerializeRecordsWith(Archive& archive, std::size_t minimumRecordBytes,
                            SerializeOne serializeOne) {
    if (archive.IsStoring()) {
      archive.WriteI32(GetCount());
      for (const auto& record : records_) serializeOne(*record, archive);
      return;
    }
    RemoveAll();
    const std::int32_t count = archive.ReadCount(minimumRecordBytes);
    records_.reserve(static_cast<std::size_t>(std::max<std::int32_t>(count, 0)));
    for (std::int32_t i = 0; i < count; ++i) {
      serializeOne(*Add(std::make_unique<Record>()), archive);
    }
  }

  // Iteration over the owned records (each element is a std::unique_ptr<Record>).
  [[nodiscard]] auto begin() const { return records_.begin(); }
  [[nodiscard]] auto end() const { return records_.end(); }

 protected:
  // The fewest bytes one stored record takes; a list count that the rest of the file cannot
  // hold at this size is refused before anything is allocated. A position record with an empty
  // name takes 7 doubles and a 1-byte text.
  [[nodiscard]] virtual std::size_t MinimumRecordBytes() const {
    if constexpr (std::is_base_of_v<CPosition2, Record>) return kPositionRecordBytes;
    return 1;
  }
  static constexpr std::size_t kPositionRecordBytes = 7 * 8 + 1;

 private:
  typename Storage::const_iterator Find(const Record* record) const {
    return std::find_if(records_.begin(), records_.end(),
                        [record](const auto& owned) { return owned.get() == record; });
  }
  typename Storage::iterator Find(const Record* record) {
    return std::find_if(records_.begin(), records_.end(),
                        [record](const auto& owned) { return owned.get() == record; });
  }

  void CopyRecordsOf(const RecordList& other) {
    for (const auto& record : other.records_) Add(std::make_unique<Record>(*record));
  }

  Storage records_;
};

}  // namespace keelmark

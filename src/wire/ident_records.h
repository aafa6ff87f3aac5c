#pragma once
// Boards seen in identifier mode: the latest sender address and port per identifier.
// Bounded, so a flood of identifiers cannot grow it without end.

#include <QHash>
#include <QString>
#include <optional>

namespace talvik {

struct IdentRecord {
    int ident = 0;
    QString address;
    int port = 0;
};

class IdentRecords {
  public:
    static constexpr int Capacity = 256;

    // Updates a known identifier; adds a new one while there is room. Returns
    // false when the identifier is new and the store is full (nothing written).
    bool put(const IdentRecord& record);
    std::optional<IdentRecord> find(int ident) const;
    bool contains(int ident) const { return records_.contains(ident); }
    bool isFull() const { return records_.size() >= Capacity; }
    int size() const { return int(records_.size()); }
    void clear() { records_.clear(); }

  private:
    QHash<int, IdentRecord> records_;
};

} // namespace talvik

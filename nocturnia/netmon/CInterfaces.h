#pragma once

#include "netmon/CInterface.h"

#include <memory>
#include <vector>

// An ordered collection of interfaces with 1-based positions in the order they were added.
// Members are shared handles: an object taken out stays valid after the collection is gone.
class CInterfaces {
public:
    using Handle = std::shared_ptr<CInterface>;
    using const_iterator = std::vector<Handle>::const_iterator;

    // Appends the object and returns it; the caller's handle is left empty, so a loader's row
    // variable makes a new object for the next row.
    Handle Add(Handle& objInterface);
    // The member at a 1-based position; throws std::out_of_range outside 1..Count.
    Handle Item(qint32 vntIndexKey) const;
    qint32 Count() const { return qint32(m_col.size()); }
    // Removes the member at a 1-based position; throws std::out_of_range outside 1..Count.
    void Remove(qint32 vntIndexKey);

    // The members in position order, for range-for loops.
    const_iterator begin() const { return m_col.begin(); }
    const_iterator end() const { return m_col.end(); }

private:
    std::vector<Handle> m_col;
};

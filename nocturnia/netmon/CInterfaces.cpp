#include "netmon/CInterfaces.h"

#include <stdexcept>
#include <string>

namespace {

std::size_t position(qint32 index, std::size_t count) {
    if (index < 1 || std::size_t(index) > count)
        throw std::out_of_range("no interface at position " + std::to_string(index));
    return std::size_t(index - 1);
}

} // namespace

CInterfaces::Handle CInterfaces::Add(Handle& objInterface) {
    Handle added = std::move(objInterface);
    objInterface.reset();
    m_col.push_back(added);
    return added;
}

CInterfaces::Handle CInterfaces::Item(qint32 vntIndexKey) const {
    return m_col.at(position(vntIndexKey, m_col.size()));
}

void CInterfaces::Remove(qint32 vntIndexKey) {
    m_col.erase(m_col.begin() + std::ptrdiff_t(position(vntIndexKey, m_col.size())));
}

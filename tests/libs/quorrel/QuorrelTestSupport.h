// Helpers shared by the item database tests.
#pragma once

#include <cstring>
#include <string>

#include "quorrel/DataBase.h"
#include "foundation/Exception.h"
#include "quorrel/ItemMaker.h"

namespace quorreltest {

// The text of the failure a call raises, "<none>" when it raises nothing.
template <class Call>
std::string FailureOf(Call call) {
    try {
        call();
    } catch (AException const &e) {
        return e.why().c_str();
    }
    return "<none>";
}

inline unsigned long Field32(DataBase const &db, unsigned long id, unsigned offset) {
    unsigned long value;
    std::memcpy(&value, db.GetItemBase() + id + offset, 4);
    return value;
}

inline void SetField32(DataBase &db, unsigned long id, unsigned offset, unsigned long value) {
    std::memcpy(db.GetItemBase() + id + offset, &value, 4);
}

inline std::string VarText(DataBase const &db, unsigned long id, short field) {
    unsigned long size = 0;
    if (!db.GetVarData(id, field, nullptr, &size))
        return "<absent>";
    std::string text(size, '\0');
    db.GetVarData(id, field, &text[0], &size);
    return text;
}

}  // namespace quorreltest

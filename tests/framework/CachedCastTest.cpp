#include "framework/CachedCast.h"

#include <gtest/gtest.h>

namespace quill {
namespace {

struct TBase {
    virtual ~TBase() = default;
    int Tag = 0;
};
struct TOther {
    virtual ~TOther() = default;
    int Pad[3] = {};
};
struct TWanted : TBase {};
// The wanted base sits after another base here, so its pointer shifts.
struct TShifted : TOther, TWanted {};
struct TUnwanted : TBase {};

TEST(CachedCast, AnswersAsDynamicCastForEveryClassInAnyOrder) {
    TWanted wanted;
    TShifted shifted;
    TUnwanted unwanted;
    TBase* objects[] = {&wanted, &shifted, &shifted, &unwanted, &unwanted,
                        &wanted, &shifted, nullptr, &unwanted, &wanted};
    TCachedCast<TWanted> cast;
    for (TBase* object : objects) EXPECT_EQ(cast(object), dynamic_cast<TWanted*>(object));
    TCachedCast<TOther> other;
    for (TBase* object : objects) EXPECT_EQ(other(object), dynamic_cast<TOther*>(object));
}

}  // namespace
}  // namespace quill

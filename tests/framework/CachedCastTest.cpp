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
struct TUnwanted2 : TBase {};
struct TUnwanted3 : TBase {};
struct TUnwanted4 : TBase {};

TEST(CachedCast, AnswersAsDynamicCastForEveryClassInAnyOrder) {
    TWanted wanted;
    TShifted shifted;
    TUnwanted unwanted;
    TUnwanted2 u2;
    TUnwanted3 u3;
    TUnwanted4 u4;
    // More classes than it keeps answers for, so earlier ones are asked again.
    TBase* objects[] = {&wanted, &shifted, &shifted, &unwanted, &unwanted, &wanted, &u2, &u3,
                        &u4,     &shifted, nullptr,  &unwanted, &wanted,    &u4,     &shifted};
    TCachedCast<TWanted> cast;
    for (TBase* object : objects) EXPECT_EQ(cast(object), dynamic_cast<TWanted*>(object));
    TCachedCast<TOther> other;
    for (TBase* object : objects) EXPECT_EQ(other(object), dynamic_cast<TOther*>(object));
}

}  // namespace
}  // namespace quill

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

TEST(ExactOrDynamicCast, AnswersAsDynamicCastForExactDerivedAndOtherClasses) {
    TWanted wanted;
    TShifted shifted;
    TUnwanted unwanted;
    TBase* objects[] = {&wanted, &shifted, &unwanted, nullptr};
    for (TBase* object : objects) {
        EXPECT_EQ(ExactOrDynamicCast<TWanted>(object), dynamic_cast<TWanted*>(object));
        // An exact match whose base is not its first still shifts the pointer.
        EXPECT_EQ(ExactOrDynamicCast<TShifted>(object), dynamic_cast<TShifted*>(object));
        const TBase* constant = object;
        EXPECT_EQ(ExactOrDynamicCast<const TWanted>(constant), dynamic_cast<const TWanted*>(constant));
    }
    EXPECT_EQ(ExactOrDynamicCast<TShifted>(static_cast<TBase*>(&shifted)), &shifted);
}

}  // namespace
}  // namespace quill

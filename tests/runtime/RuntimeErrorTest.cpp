#include "platform/runtime/RuntimeError.h"

#include <gtest/gtest.h>

#include <new>
#include <vector>

namespace runtime {
namespace {

TEST(RuntimeError, RaiseCarriesTheNumberAndTheStandardDescription) {
    try {
        Raise(errPathNotFound);
        FAIL() << "Raise returned";
    } catch (const RuntimeError& error) {
        EXPECT_EQ(error.Number(), 76);
        EXPECT_EQ(error.Description(), "Impossibile trovare il percorso");
        EXPECT_STREQ(error.what(), "Impossibile trovare il percorso");
    }
}

TEST(RuntimeError, DescriptionsOfTheErrorsTheWindowMeets) {
    EXPECT_EQ(DescriptionOf(errOverflow), "Overflow");
    EXPECT_EQ(DescriptionOf(errOutOfMemory), "Memoria esaurita");
    EXPECT_EQ(DescriptionOf(errSubscriptOutOfRange), "Indice non incluso nell'intervallo");
    EXPECT_EQ(DescriptionOf(errDeviceUnavailable), "Periferica non disponibile");
    EXPECT_EQ(DescriptionOf(errInvalidPropertyValue), "Valore della proprietà non valido");
    EXPECT_EQ(DescriptionOf(errCancel), "È stato scelto Annulla");
}

TEST(RuntimeError, UnknownNumbersGetTheGenericDescription) {
    EXPECT_EQ(DescriptionOf(1234), "Errore definito dall'applicazione o dall'oggetto");
    EXPECT_EQ(DescriptionOf(0), DescriptionOf(-1));
}

// The error number RuntimeErrorOf gives for what the action throws.
template <typename Action>
std::int32_t MappedNumber(Action action) {
    try {
        action();
    } catch (...) {
        return CurrentRuntimeError().Number();
    }
    return 0;
}

TEST(RuntimeError, AnyExceptionBecomesARuntimeError) {
    EXPECT_EQ(MappedNumber([] { Raise(errOverflow); }), errOverflow);
    EXPECT_EQ(RuntimeErrorOf(std::make_exception_ptr(RuntimeError(1001, "Propria"))).Description(),
              "Propria");
    EXPECT_EQ(MappedNumber([] { throw std::bad_alloc(); }), errOutOfMemory);
    EXPECT_EQ(MappedNumber([] { std::vector<int>().reserve(std::vector<int>().max_size() + 1); }),
              errOutOfMemory);  // std::length_error: a container that cannot grow
    EXPECT_EQ(MappedNumber([] { throw std::logic_error("not a runtime error"); }), errInternal);
    EXPECT_EQ(MappedNumber([] { throw 42; }), errInternal);
    EXPECT_EQ(RuntimeErrorOf(nullptr).Number(), errInternal);
    EXPECT_EQ(RuntimeErrorOf(std::make_exception_ptr(std::bad_alloc())).Description(),
              "Memoria esaurita");
}

TEST(RuntimeError, IsCaughtAsAStandardException) {
    EXPECT_THROW(Raise(errCancel), std::runtime_error);
}

}  // namespace
}  // namespace runtime

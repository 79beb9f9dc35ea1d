#include "platform/toolkit/RuntimeError.h"

#include <gtest/gtest.h>

namespace toolkit {
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

TEST(RuntimeError, IsCaughtAsAStandardException) {
    EXPECT_THROW(Raise(errCancel), std::runtime_error);
}

}  // namespace
}  // namespace toolkit

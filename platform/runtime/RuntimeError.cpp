#include "platform/runtime/RuntimeError.h"

#include <new>
#include <string_view>

namespace runtime {

namespace {

struct KnownError {
    std::int32_t number;
    std::string_view description;
};

constexpr KnownError kKnownErrors[] = {
    {errInvalidCall, "Chiamata di routine o argomento non validi"},
    {errOverflow, "Overflow"},
    {errOutOfMemory, "Memoria esaurita"},
    {errSubscriptOutOfRange, "Indice non incluso nell'intervallo"},
    {errInternal, "Errore interno"},
    {errBadFileName, "Nome o numero di file non valido"},
    {errFileNotFound, "Impossibile trovare il file"},
    {errDeviceIO, "Errore di I/O periferica"},
    {errDiskFull, "Disco pieno"},
    {errDeviceUnavailable, "Periferica non disponibile"},
    {errPermissionDenied, "Autorizzazione negata"},
    {errDiskNotReady, "Disco non pronto"},
    {errPathFileAccess, "Errore di accesso al percorso/file"},
    {errPathNotFound, "Impossibile trovare il percorso"},
    {errObjectNotSet, "Variabile oggetto o variabile del blocco With non impostata"},
    {errInvalidPropertyValue, "Valore della proprietà non valido"},
    {errInvalidPicture, "Immagine non valida"},
    {errCancel, "È stato scelto Annulla"},
};

RuntimeError StandardError(std::int32_t number) {
    return RuntimeError(number, DescriptionOf(number));
}

}  // namespace

RuntimeError::RuntimeError(std::int32_t number, const std::string& description)
    : std::runtime_error(description), number_(number), description_(description) {}

std::string DescriptionOf(std::int32_t number) {
    for (const KnownError& known : kKnownErrors) {
        if (known.number == number) {
            return std::string(known.description);
        }
    }
    return "Errore definito dall'applicazione o dall'oggetto";
}

void Raise(std::int32_t number) {
    throw StandardError(number);
}

RuntimeError RuntimeErrorOf(std::exception_ptr error) {
    if (!error) {
        return StandardError(errInternal);
    }
    try {
        std::rethrow_exception(error);
    } catch (const RuntimeError& runtimeError) {
        return runtimeError;
    } catch (const std::bad_alloc&) {
        return StandardError(errOutOfMemory);
    } catch (const std::length_error&) {
        return StandardError(errOutOfMemory);
    } catch (...) {
        return StandardError(errInternal);
    }
}

RuntimeError CurrentRuntimeError() {
    return RuntimeErrorOf(std::current_exception());
}

}  // namespace runtime

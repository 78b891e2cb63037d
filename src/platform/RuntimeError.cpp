#include "platform/RuntimeError.h"

namespace platform {

QString QuotedDescription(const QString& sentence) {
    return QStringLiteral("«") + sentence + QStringLiteral("»");
}

QString ErrorDescription(int number) {
    // Each a sentence of its own: none starts with "Σφάλμα", which the save message puts first.
    const char* sentence = nullptr;
    switch (number) {
        case ErrOverflow:
            sentence = "Ένας αριθμός δεν χωρά στο πεδίο του";
            break;
        case ErrOutOfMemory:
            sentence = "Η μνήμη δεν επαρκεί";
            break;
        case ErrFileNotFound:
            sentence = "Το αρχείο δεν βρέθηκε";
            break;
        case ErrBadFileMode:
            sentence = "Το αρχείο χρησιμοποιήθηκε με λάθος τρόπο";
            break;
        case ErrDiskFull:
            sentence = "Ο δίσκος είναι γεμάτος";
            break;
        case ErrInputPastEndOfFile:
            sentence = "Το αρχείο τελειώνει πριν από τα δεδομένα που χρειάζονται";
            break;
        case ErrPermissionDenied:
            sentence = "Δεν επιτρέπεται η πρόσβαση";
            break;
        case ErrPathFileAccess:
            sentence = "Η πρόσβαση στη διαδρομή ή στο αρχείο απέτυχε";
            break;
        case ErrPathNotFound:
            sentence = "Η διαδρομή δεν βρέθηκε";
            break;
        case ErrDialogCancelled:
            sentence = "Ο διάλογος ακυρώθηκε";
            break;
        default:
            sentence = "Το πρόγραμμα συνάντησε απρόβλεπτη δυσλειτουργία";
            break;
    }
    return QuotedDescription(QString::fromUtf8(sentence));
}

}  // namespace platform

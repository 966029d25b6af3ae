#include "ui/texts.h"

const char TXT_WELCOME_SHORT_DA[] = "Velkommen til KelmoVYN kalendersetup.";
const char TXT_WELCOME_LONG_DA[] =
    "Velkommen til KelmoVYN kalendersetup.\r\nSniffo har fundet en eksisterende version af VYN "
    "Zodiamaten. Vi anbefaler, at du opgraderer denne version.";
const char TXT_WELCOME_SHORT_EN[] = "Welcome to Kelmovyn Calendar Setup.";
const char TXT_WELCOME_LONG_EN[] =
    "Welcome to Kelmovyn Calendar Setup, the sniffo has determined that the system contains a "
    "previous version of VYN. Hence it is recommended that the user upgrade its previous "
    "installation.";
const char TXT_LABEL_DANISH_DA_PLAIN[] = "Dansk";
const char TXT_LABEL_ENGLISH_DA_PLAIN[] = "Engelsk";
const char TXT_LABEL_DANISH_DA[] = "&Dansk";
const char TXT_LABEL_ENGLISH_DA[] = "&Engelsk";
const char TXT_LABEL_DANISH_EN[] = "&Danish";
const char TXT_LABEL_ENGLISH_EN[] = "&English";
const char TXT_CANCEL_DA[] = "A&nnuller";
const char TXT_CANCEL_EN[] = "Ca&ncel";
// The o-slash is the Windows-1252 byte 0xF8.
const char TXT_STANDALONE_DA[] =
    "Nej tak. Jeg \xF8"
    "nsker at installere kalenderen for sig selv - ikke integreret med Zodiamaten.";
const char TXT_STANDALONE_EN[] =
    "No. I wish to install the calendar by itself - not merged with Zodiamat.";

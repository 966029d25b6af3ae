// The Danish and English texts that the dialog writes into its controls,
// Windows-1252 (the ø is the byte 0xF8).
#pragma once

extern const char TXT_WELCOME_SHORT_DA[];
extern const char TXT_WELCOME_LONG_DA[];
extern const char TXT_WELCOME_SHORT_EN[];
extern const char TXT_WELCOME_LONG_EN[];
extern const char TXT_LABEL_DANISH_DA_PLAIN[];
extern const char TXT_LABEL_ENGLISH_DA_PLAIN[];
extern const char TXT_LABEL_DANISH_DA[];
extern const char TXT_LABEL_ENGLISH_DA[];
extern const char TXT_LABEL_DANISH_EN[];
extern const char TXT_LABEL_ENGLISH_EN[];
extern const char TXT_CANCEL_DA[];
extern const char TXT_CANCEL_EN[];
extern const char TXT_STANDALONE_DA[];
extern const char TXT_STANDALONE_EN[];

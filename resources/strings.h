// The texts of the string table. quantora.rc builds its STRINGTABLE from these macros and the
// portable core formats its messages from the same ones, so the two can never disagree.
// Line breaks inside a message are single carriage returns.
#pragma once

#define QA_STR_ERROR_TITLE "Quantora Error"
#define QA_STR_SETTINGS_MISSING \
  "Cannot find the program initialization file,\r\042%s\042, in the windows directory!\r" \
  "This file must be present for Quantora to run.\r\rPlease run the setup program again."
#define QA_STR_DATA_FILE_UNREADABLE \
  "Cannot read the Quantora data file, \042%s\042!\rThis file must be present for Quantora to " \
  "run.\r\rPlease run the setup program again."
#define QA_STR_INFORMATION_TITLE "Quantora Information"
#define QA_STR_RANGE_MESSAGE \
  "The value you entered is not within the allowed range.\rThe range for this field is: %d " \
  "to %d."
// The program's web address and support e-mail address: shown in the Support Information
// dialog and named in the Limit of Liability text. A distributor sets the real ones here.
#define QA_STR_SUPPORT_WEB "https://quantora.example.org/"
#define QA_STR_SUPPORT_EMAIL "support@quantora.example.org"
#define QA_STR_CONSTANTS_FILE "QACONST.TXT"
#define QA_STR_CONSTANTS_UNREADABLE \
  "Cannot read the Quantora data file, \042%s\042!\rThis file must be present to view the " \
  "physical constants.\r\rPlease run the setup program again."
#define QA_STR_CONSTANT_NOT_ADDED \
  "Error encountered when trying to add a physical constant to the constants list box.  " \
  "Memory may be low.  "
#define QA_STR_MULTIPLIERS_LABEL_MISSING \
  "Could not find the MULTIPLIERS label in the %s file.\rThis file appears to have been " \
  "corrupted.\r\rPlease reinstall Quantora."
#define QA_STR_NO_MULTIPLIERS \
  "Could not find any multipliers in the MULTIPLIERS group in the %s file.\rThis file " \
  "appears to have been corrupted.\r\rPlease reinstall Quantora."
#define QA_STR_SETTINGS_NOT_SAVED \
  "Cannot save your settings in the program initialization file,\r\042%s\042!\r" \
  "The settings and the last conversion of this session are lost.\r\rPlease run the setup " \
  "program again, or ask an administrator to make this file writable."
#define QA_STR_HELP_UNAVAILABLE \
  "Quantora's help could not be shown: neither the help file %s nor the page %s of the " \
  "manual could be opened from Quantora's folder.\r\rPlease run the setup program again."
// The one item of the menu a right-click on a control offers.
#define QA_STR_WHATS_THIS "&What's This?"

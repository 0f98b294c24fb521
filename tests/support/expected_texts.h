// Texts the program must write byte for byte, as the tests expect them.
#pragma once

/// The usage text, with the line ends of the C library's text mode on POSIX systems.
inline constexpr char kUsageText[] =
    "\nVelmira.exe\n"
    "\t/set=00\n\tDisable Wireless & Bluetooth\n"
    "\t/set=01\n\tEnable Bluetooth only\n"
    "\t/set=10\n\tEnable Wireless only\n"
    "\t/set=11\n\tEnable Wireless & Bluetooth\n"
    "\t/get\n\tQuery Wireless & Bluetooth current status\n"
    "\t/skip\n\tDon't detect Wireless & Bluetooth hardware device\n";

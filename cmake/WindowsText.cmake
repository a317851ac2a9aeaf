# Copies a text file with CR LF line ends, for Notepad on older Windows.
#   cmake -DIN=<file> -DOUT=<file> -P WindowsText.cmake
file(READ ${IN} text)
string(REPLACE "\r\n" "\n" text "${text}")
string(REPLACE "\n" "\r\n" text "${text}")
file(WRITE ${OUT} "${text}")

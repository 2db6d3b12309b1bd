# Copies a text file with Windows' line endings, which every Notepad shows as lines:
#   cmake -DINPUT=FILE -DOUTPUT=FILE -P crlf.cmake
file(READ ${INPUT} text)
string(REPLACE "\r\n" "\n" text "${text}")
string(REPLACE "\n" "\r\n" text "${text}")
file(WRITE ${OUTPUT} "${text}")

#pragma once

// An unnamed file in the system's temporary folder ($TMPDIR, else /tmp), open for reading and
// writing, that disappears when closed: where standard input and output are held so that
// libsndfile and the PNG writer may seek in them. -1 when none can be made.
int OpenUnnamedTemporaryFile();

// Copies everything from `from`, read from its current position, to `to`; false on a read or
// write error.
bool CopyAll(int from, int to);

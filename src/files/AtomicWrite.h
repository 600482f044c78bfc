#pragma once

#include <QByteArrayView>
#include <QString>

// How a write of a whole file ended.
enum class FileWriteResult
{
    Written,          // the new content is in place
    Untouched,        // nothing changed: the previous file (or none) is as it was
    NotRegularFile,   // the path is or leads to something else (device, pipe, folder, dangling link): left alone
    PreviousRestored, // written in place, failed part way; the previous content has been put back
    PreviousCopied,   // as above, but putting it back failed too; the previous content is at rescuePath
    PreviousLost,     // as above, and no copy could be made either
};

struct FileWriteReport
{
    FileWriteResult result = FileWriteResult::Untouched;
    QString errorString; // why the new content did not land; empty when it did
    QString rescuePath;  // for PreviousCopied
    bool ok() const { return result == FileWriteResult::Written; }
};

struct FileWriteOptions
{
    // For the program's own files: the owner may always read and write them, so a file
    // that lost those rights (mode 000) is not rewritten as unreadable for good.
    bool ownerReadWrite = false;
};

// Replaces the content of the file at path with data, keeping the previous content
// whatever happens:
// - Only a regular file is replaced (a symbolic link is followed to one); a path that is
//   or leads to anything else is left alone.
// - Normally the bytes go to a temporary file in the same folder, which is flushed and
//   renamed over the target: a crash, a kill or a full disk leaves the previous file.
// - Where that cannot be, because the folder is not writable or the file has further
//   hard links that a rename would cut off, the file is written in place; if that fails
//   part way, the previous content is written back (or, failing that, copied to a file
//   of its own in the temporary folder) and the report says which.
FileWriteReport writeFileSafely(const QString &path, QByteArrayView data, const FileWriteOptions &options = {});

// writeFileSafely, true when the new content landed; errorString gets the reason otherwise.
bool writeFileAtomically(const QString &path, QByteArrayView data, QString *errorString = nullptr);

// Whether writeFileSafely could put content at path: a new file can be made there, or
// an existing regular file can be replaced or written in place. Nothing is changed.
bool canWriteFile(const QString &path);

// Creates the folder that will hold path, with its parents; true when it exists afterwards.
bool makeParentFolder(const QString &path);

// Removes the temporary files that a write of path leaves behind when the program is
// killed between writing and renaming ("<name>.korvo-new.XXXXXX" beside it). Files
// changed within the last minute are kept, as another running copy may be writing them.
void removeStaleTemporaryFiles(const QString &path);

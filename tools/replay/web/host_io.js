'use strict';
// The host's side of the scripted user's file answers and pictures: files are written under
// the path as its bytes name it, and a failure is reported with the system's own sentence.
const fs = require('fs');
const path = require('path');

// The C library's words for the errors a save can meet, as the program shows them on Linux.
const kReasons = {
  EACCES: 'Permission denied',
  EEXIST: 'File exists',
  EISDIR: 'Is a directory',
  ELOOP: 'Too many levels of symbolic links',
  ENAMETOOLONG: 'File name too long',
  ENOENT: 'No such file or directory',
  ENOSPC: 'No space left on device',
  ENOTDIR: 'Not a directory',
  EPERM: 'Operation not permitted',
  EROFS: 'Read-only file system',
  EFBIG: 'File too large',
  EIO: 'Input/output error',
};

function reasonOf(err) {
  return kReasons[err.code] || err.code || String(err.message || err);
}

// Writes `bytes` to the file named by `pathBytes` (a Buffer): '' on success, else the reason.
function writeFile(pathBytes, bytes) {
  try {
    fs.writeFileSync(Buffer.from(pathBytes), Buffer.from(bytes));
    return '';
  } catch (err) {
    return reasonOf(err);
  }
}

function makeFolder(folder) {
  try {
    fs.mkdirSync(path.resolve(folder), {recursive: true});
    return true;
  } catch (err) {
    return false;
  }
}

module.exports = {writeFile, makeFolder, reasonOf};

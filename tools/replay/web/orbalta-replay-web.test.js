'use strict';
// orbalta-replay-web run from a working directory of its own with relative paths that climb
// out of it: the script, a `file` answer and the pictures' folder are the caller's, and the
// script keeps the name it was given in what the player reports.
const test = require('node:test');
const assert = require('node:assert');
const {spawnSync} = require('child_process');
const fs = require('fs');
const os = require('os');
const path = require('path');

const kPlayer = path.join(__dirname, 'orbalta-replay-web');
const kGolden = fs.readFileSync(path.join(__dirname, '..', '..', '..', 'tests', 'ui', 'golden',
                                          'summary.txt'));

// A folder with scripts/, and work/deep/ to run from.
function makeTree() {
  const root = fs.mkdtempSync(path.join(os.tmpdir(), 'orbalta-replay-paths-'));
  fs.mkdirSync(path.join(root, 'scripts'));
  fs.mkdirSync(path.join(root, 'work', 'deep'), {recursive: true});
  return root;
}

function play(root, args) {
  return spawnSync(kPlayer, args, {cwd: path.join(root, 'work', 'deep'), encoding: 'utf8',
                                   timeout: 180000});
}

const rows = [
  {
    name: 'a script up the tree',
    script: ['expect 1007 text "0"', 'click 30001', 'expect exit 0'],
    code: 0,
  },
  {
    name: 'a failing script is named as given',
    script: ['expect 1007 text "1"'],
    code: 1,
    stderr: /^\.\.\/\.\.\/scripts\/s\.replay:1: /m,
  },
  {
    name: 'a file answer up the tree',
    script: ['click 1034', 'file "../saved.txt"', 'click 111:1041',
             'expect msgbox "Saved to File" "../saved.txt" information', 'close 111',
             'click 30001', 'expect exit 0'],
    code: 0,
    written: path.join('work', 'saved.txt'),
  },
  {
    name: 'a script through a folder and back',
    via: path.join('..', '..', 'scripts', '..', 'scripts', 's.replay'),
    script: ['click 30001', 'expect exit 0'],
    code: 0,
  },
];

for (const row of rows) {
  test(row.name, () => {
    const root = makeTree();
    try {
      fs.writeFileSync(path.join(root, 'scripts', 's.replay'), row.script.join('\n') + '\n');
      const run = play(root, [row.via || path.join('..', '..', 'scripts', 's.replay')]);
      assert.strictEqual(run.status, row.code, run.stderr);
      if (row.stderr) assert.match(run.stderr, row.stderr);
      if (row.written) {
        assert.ok(fs.readFileSync(path.join(root, row.written)).equals(kGolden),
                  'the saved file differs from the golden summary');
      }
    } finally {
      fs.rmSync(root, {recursive: true, force: true});
    }
  });
}

test('the pictures go to a folder up the tree', () => {
  const root = makeTree();
  try {
    const run = play(root, ['--screenshots', path.join('..', 'shots')]);
    assert.strictEqual(run.status, 0, run.stderr);
    assert.deepStrictEqual(fs.readdirSync(path.join(root, 'work', 'shots')).sort(),
                           ['about.png', 'info.png', 'main.png', 'summary.png']);
  } finally {
    fs.rmSync(root, {recursive: true, force: true});
  }
});

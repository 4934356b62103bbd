-- The song database of Sorvane.
--
-- アニソンデータ管理 is the song table: one row per song file, keyed by the file name without
-- its folder. The player reads the ten classic fields and searches the readings (かな) and the
-- group; those extra columns default to '' so that older tools may insert only the classic
-- ones. The nine fields that the song lookup reads are never NULL (a NULL would make the lookup
-- fail): left out, a song is no karaoke version, of type 5 (other), kind 0, genre 255 (anime
-- song), with empty texts. 選択候補 holds the MP3 files that the last folder scan found.
--
-- The views テンポラリ (songs with a found file) and テンポラリ２ (every song) join the two
-- and add the found files that the song table does not know. Those unregistered files carry:
--   アニメタイトルA, アニメタイトルかなA, アーティストA = '未登録'
--   ジャンルNoA = 12 (the ID3v1 genre "Other"), アニメ種別A = 0, 選曲種別A = 0,
--   歌種別A = '5', 歌連番A = 0, カラオケA = 0, タイトルA = the file name.
-- 選曲種別A is the song type in the order of the selection window's boxes: 1 opening,
-- 2 ending, 3 insert song, 4 theme song, 5 anything else, 0 unregistered.
-- File names compare without regard to ASCII case, as the Windows-era database did.
--
-- Nothing here needs more than a stock SQLite, so any SQLite tool reads and mends the file. The
-- player sorts the readings as they fold (katakana and half-width kana as hiragana) with a
-- function of its own connection, kana_order(), in its own queries only.

CREATE TABLE IF NOT EXISTS アニソンデータ管理 (
  ファイル名 TEXT COLLATE NOCASE,
  曲名 TEXT NOT NULL DEFAULT '',
  アーティスト TEXT NOT NULL DEFAULT '',
  番組名 TEXT NOT NULL DEFAULT '',
  カラオケ INTEGER NOT NULL DEFAULT 0,
  歌種別 TEXT NOT NULL DEFAULT '5',
  歌連番 INTEGER NOT NULL DEFAULT 0,
  発表年 TEXT NOT NULL DEFAULT '',
  アニメ種別 INTEGER NOT NULL DEFAULT 0,
  ジャンルNo INTEGER NOT NULL DEFAULT 255,
  曲名かな TEXT NOT NULL DEFAULT '',
  番組名かな TEXT NOT NULL DEFAULT '',
  アーティストかな TEXT NOT NULL DEFAULT '',
  グループ TEXT NOT NULL DEFAULT ''
);
CREATE INDEX IF NOT EXISTS アニソンデータ管理_ファイル名 ON アニソンデータ管理 (ファイル名);

CREATE TABLE IF NOT EXISTS 選択候補 (
  ファイル名 TEXT COLLATE NOCASE,
  フルパス TEXT
);
CREATE INDEX IF NOT EXISTS 選択候補_ファイル名 ON 選択候補 (ファイル名);

-- Found files that no song row names.
CREATE VIEW IF NOT EXISTS 未登録ファイル AS
SELECT 12 AS ジャンルNoA, '未登録' AS アニメタイトルA, '未登録' AS アニメタイトルかなA,
       c.ファイル名 AS タイトルA, '' AS タイトルかなA, '未登録' AS アーティストA,
       '' AS アーティストかなA, '' AS グループA, '' AS 制作年A,
       c.ファイル名 AS ファイル名A, c.フルパス AS フルパスA, '5' AS 歌種別A, 0 AS 歌連番A,
       0 AS カラオケA, 0 AS アニメ種別A, 0 AS 選曲種別A
FROM 選択候補 c
WHERE NOT EXISTS (SELECT 1 FROM アニソンデータ管理 s WHERE s.ファイル名 = c.ファイル名);

CREATE VIEW IF NOT EXISTS テンポラリ AS
SELECT s.ジャンルNo AS ジャンルNoA, s.番組名 AS アニメタイトルA, s.番組名かな AS アニメタイトルかなA,
       s.曲名 AS タイトルA, s.曲名かな AS タイトルかなA, s.アーティスト AS アーティストA,
       s.アーティストかな AS アーティストかなA, s.グループ AS グループA, s.発表年 AS 制作年A,
       c.ファイル名 AS ファイル名A, c.フルパス AS フルパスA, s.歌種別 AS 歌種別A,
       s.歌連番 AS 歌連番A, s.カラオケ AS カラオケA, s.アニメ種別 AS アニメ種別A,
       CASE substr(s.歌種別, 1, 1) WHEN '1' THEN 1 WHEN '3' THEN 2 WHEN '4' THEN 3
         WHEN '2' THEN 4 ELSE 5 END AS 選曲種別A
FROM アニソンデータ管理 s JOIN 選択候補 c ON c.ファイル名 = s.ファイル名
UNION ALL
SELECT * FROM 未登録ファイル;

CREATE VIEW IF NOT EXISTS テンポラリ２ AS
SELECT s.ジャンルNo AS ジャンルNoA, s.番組名 AS アニメタイトルA, s.番組名かな AS アニメタイトルかなA,
       s.曲名 AS タイトルA, s.曲名かな AS タイトルかなA, s.アーティスト AS アーティストA,
       s.アーティストかな AS アーティストかなA, s.グループ AS グループA, s.発表年 AS 制作年A,
       coalesce(c.ファイル名, '未登録') AS ファイル名A, coalesce(c.フルパス, '') AS フルパスA,
       s.歌種別 AS 歌種別A, s.歌連番 AS 歌連番A, s.カラオケ AS カラオケA,
       s.アニメ種別 AS アニメ種別A,
       CASE substr(s.歌種別, 1, 1) WHEN '1' THEN 1 WHEN '3' THEN 2 WHEN '4' THEN 3
         WHEN '2' THEN 4 ELSE 5 END AS 選曲種別A
FROM アニソンデータ管理 s LEFT JOIN 選択候補 c ON c.ファイル名 = s.ファイル名
UNION ALL
SELECT * FROM 未登録ファイル;

-- The form of this schema. A song database of an earlier form (0: readings declared with the
-- player's own collation KANA, or lookup columns without defaults) is rebuilt to this one when
-- the player or sorvdb opens it.
PRAGMA user_version = 1;

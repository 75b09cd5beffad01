-- 100,000 titles in one class for the catalogue benchmark, on top of tests/mariadb/seed.sql.
USE kelvoro;
INSERT INTO `morrowick_enewsclass` (`classid`, `bclassid`, `classname`, `islast`, `classpath`)
VALUES (90, 0, '压力测试', 1, 'yalice');
INSERT INTO `morrowick_ecms_game` (`id`, `classid`, `title`, `flashurl`)
SELECT 1000000 + seq, 90, CONCAT('快乐儿歌第', seq, '集'), CONCAT('d/file/yalice/', seq, '.swf')
FROM seq_1_to_100000;

-- Test catalogue: the two tables the client reads, shaped like the site's (with columns the
-- client never reads), and a small set of rows that tests across the program rely on.
--
-- Row order: no statement has an ORDER BY; InnoDB returns these rows by ascending id (the
-- primary key, also within the classid index), which is the insertion order below.
--
-- Classes (morrowick_enewsclass):
--   1-5      the groups 听儿歌, 儿童故事, 学知识, 儿童游戏, 才艺展示: no titles of their own
--   11-44    the 25 categories of the tree, 51-55 the five talent-show classes (绘画 included)
--   60       动画片
--   14       外文儿歌 has no titles; the other tree categories have at least one
--   70       亲子课堂: a class with titles but no site folder
--   71       Kids' Corner: a class name with a quote
--
-- Titles (morrowick_ecms_game), ids of 3 to 6 digits:
--   1234     喜羊羊与灰太狼, class 动画片, flashurl "d/file/donghuapian/1234.swf" (relative)
--   567      小老鼠上灯台, class 童谣, flashurl "d/file/tingerge/tongyao/567.swf"
--   两只老虎  twice in 中文儿歌: id 101 (first row) and 2345
--   小星星    in three classes: 102 中文儿歌 (first row), 1202 英文儿歌, 1235 动画片
--   童谣      a title equal to a class name: id 2346 in 中文儿歌
--   找朋友    id 2348: flashurl NULL;  拔萝卜 id 2349: flashurl ''
--   1201     absolute flashurl "http://media.example.com/swf/twinkle.swf"
--   1202     flashurl starting with "/": "/d/file/tingerge/yingwenerge/1202.swf"
--   quotes, backslash and LIKE wildcards in titles: 1203 "Old MacDonald's Farm",
--            570 反斜杠\童谣, 568 "100% 快乐" and 571 "1000 快乐", 569 下划线_歌 and 572 下划线-歌,
--            7101 "It's -- not; a comment" (class Kids' Corner)
--   2347     🐼熊猫宝宝 (a 4-byte character)
--   123456   桃园三结义, class 三国演义

USE kelvoro;

INSERT INTO `morrowick_enewsclass` (`classid`, `bclassid`, `classname`, `islast`, `classpath`, `myorder`) VALUES
  (1, 0, '听儿歌', 0, 'tingerge', 1),
  (2, 0, '儿童故事', 0, 'jianggushi', 2),
  (3, 0, '学知识', 0, 'xuezhishi', 3),
  (4, 0, '儿童游戏', 0, 'wanyouxi', 4),
  (5, 0, '才艺展示', 0, 'caiyizhanshi', 5),
  (11, 1, '中文儿歌', 1, 'tingerge/zhongwenerge', 1),
  (12, 1, '英文儿歌', 1, 'tingerge/yingwenerge', 2),
  (13, 1, '童谣', 1, 'tingerge/tongyao', 3),
  (14, 1, '外文儿歌', 1, 'tingerge/waiwenerge', 4),
  (21, 2, '经典小故事', 1, 'jianggushi/jingdianxiaogushi', 1),
  (22, 2, '童话故事', 1, 'jianggushi/tonghuagushi', 2),
  (23, 2, '寓言故事', 1, 'jianggushi/yuyangushi', 3),
  (24, 2, '成语故事', 1, 'jianggushi/chengyugushi', 4),
  (25, 2, '神话传说', 1, 'jianggushi/shenhuachuanshuo', 5),
  (26, 2, '木偶奇遇记', 1, 'jianggushi/muouqiyuji', 6),
  (27, 2, '三国演义', 1, 'jianggushi/sanguoyanyi', 7),
  (31, 3, '唐诗宋词', 1, 'xuezhishi/tangshisongci', 1),
  (32, 3, '快乐拼音', 1, 'xuezhishi/kuailepinyin', 2),
  (33, 3, '幼儿启蒙', 1, 'xuezhishi/youerqimeng', 3),
  (34, 3, '英语教育', 1, 'xuezhishi/yingyujiaoyu', 4),
  (35, 3, '百科常识', 1, 'xuezhishi/baikechangshi', 5),
  (36, 3, '幼儿英语', 1, 'xuezhishi/youeryingyu', 6),
  (37, 3, '儿童英语', 1, 'xuezhishi/ertongyingyu', 7),
  (38, 3, '少儿英语', 1, 'xuezhishi/shaoeryingyu', 8),
  (39, 3, '学汉字', 1, 'xuezhishi/xuehanzi', 9),
  (40, 3, '快乐绘本', 1, 'xuezhishi/kuailehuiben', 10),
  (41, 4, '益智游戏', 1, 'wanyouxi/yizhiyouxi', 1),
  (42, 4, '拼图填色', 1, 'wanyouxi/pintutianse', 2),
  (43, 4, '数学游戏', 1, 'wanyouxi/shuxueyouxi', 3),
  (44, 4, '语文游戏', 1, 'wanyouxi/yuwenyouxi', 4),
  (51, 5, '舞蹈', 1, 'caiyizhanshi/wudao', 1),
  (52, 5, '声乐', 1, 'caiyizhanshi/shengle', 2),
  (53, 5, '乐器', 1, 'caiyizhanshi/leqi', 3),
  (54, 5, '运动', 1, 'caiyizhanshi/yundong', 4),
  (55, 5, '绘画', 1, 'caiyizhanshi/huihua', 5),
  (60, 0, '动画片', 1, 'donghuapian', 6),
  (70, 0, '亲子课堂', 1, 'qinziketang', 7),
  (71, 0, 'Kids'' Corner', 1, 'kids', 8);

INSERT INTO `morrowick_ecms_game` (`id`, `classid`, `onclick`, `newstime`, `username`, `title`, `flashurl`, `smalltext`) VALUES
  (101, 11, 520, 1262304000, 'admin', '两只老虎', 'd/file/tingerge/zhongwenerge/101.swf', '经典儿歌'),
  (102, 11, 880, 1262304060, 'admin', '小星星', 'd/file/tingerge/zhongwenerge/102.swf', NULL),
  (567, 13, 75, 1262304120, 'admin', '小老鼠上灯台', 'd/file/tingerge/tongyao/567.swf', '童谣'),
  (568, 13, 12, 1262304180, 'admin', '100% 快乐', 'd/file/tingerge/tongyao/568.swf', NULL),
  (569, 13, 9, 1262304240, 'admin', '下划线_歌', 'd/file/tingerge/tongyao/569.swf', NULL),
  (570, 13, 3, 1262304300, 'admin', '反斜杠\\童谣', 'd/file/tingerge/tongyao/570.swf', NULL),
  (571, 13, 4, 1262304360, 'admin', '1000 快乐', 'd/file/tingerge/tongyao/571.swf', NULL),
  (572, 13, 5, 1262304420, 'admin', '下划线-歌', 'd/file/tingerge/tongyao/572.swf', NULL),
  (1201, 12, 33, 1262304480, 'editor', 'Twinkle Twinkle Little Star', 'http://media.example.com/swf/twinkle.swf', NULL),
  (1202, 12, 41, 1262304540, 'editor', '小星星', '/d/file/tingerge/yingwenerge/1202.swf', NULL),
  (1203, 12, 27, 1262304600, 'editor', 'Old MacDonald''s Farm', 'd/file/tingerge/yingwenerge/1203.swf', NULL),
  (1234, 60, 9999, 1262304660, 'admin', '喜羊羊与灰太狼', 'd/file/donghuapian/1234.swf', '动画片'),
  (1235, 60, 18, 1262304720, 'admin', '小星星', 'd/file/donghuapian/1235.swf', NULL),
  (2101, 21, 61, 1262304780, 'admin', '小马过河', 'd/file/jianggushi/jingdianxiaogushi/2101.swf', NULL),
  (2201, 22, 95, 1262304840, 'admin', '白雪公主', 'd/file/jianggushi/tonghuagushi/2201.swf', NULL),
  (2202, 22, 90, 1262304900, 'admin', '小红帽', 'd/file/jianggushi/tonghuagushi/2202.swf', NULL),
  (2301, 23, 20, 1262304960, 'admin', '狐狸和乌鸦', 'd/file/jianggushi/yuyangushi/2301.swf', NULL),
  (2345, 11, 7, 1262305020, 'admin', '两只老虎', 'd/file/tingerge/zhongwenerge/2345.swf', '又一版'),
  (2346, 11, 8, 1262305080, 'admin', '童谣', 'd/file/tingerge/zhongwenerge/2346.swf', NULL),
  (2347, 11, 6, 1262305140, 'admin', '🐼熊猫宝宝', 'd/file/tingerge/zhongwenerge/2347.swf', NULL),
  (2348, 11, 5, 1262305200, 'admin', '找朋友', NULL, NULL),
  (2349, 11, 4, 1262305260, 'admin', '拔萝卜', '', NULL),
  (2401, 24, 30, 1262305320, 'admin', '守株待兔', 'd/file/jianggushi/chengyugushi/2401.swf', NULL),
  (2501, 25, 31, 1262305380, 'admin', '嫦娥奔月', 'd/file/jianggushi/shenhuachuanshuo/2501.swf', NULL),
  (2601, 26, 32, 1262305440, 'admin', '木偶奇遇记 第一集', 'd/file/jianggushi/muouqiyuji/2601.swf', NULL),
  (3101, 31, 40, 1262305500, 'admin', '静夜思', 'd/file/xuezhishi/tangshisongci/3101.swf', NULL),
  (3201, 32, 41, 1262305560, 'admin', '声母歌', 'd/file/xuezhishi/kuailepinyin/3201.swf', NULL),
  (3301, 33, 42, 1262305620, 'admin', '认识颜色', 'd/file/xuezhishi/youerqimeng/3301.swf', NULL),
  (3401, 34, 43, 1262305680, 'admin', 'ABC Song', 'd/file/xuezhishi/yingyujiaoyu/3401.swf', NULL),
  (3501, 35, 44, 1262305740, 'admin', '为什么天是蓝的', 'd/file/xuezhishi/baikechangshi/3501.swf', NULL),
  (3601, 36, 45, 1262305800, 'admin', 'Hello 你好', 'd/file/xuezhishi/youeryingyu/3601.swf', NULL),
  (3701, 37, 46, 1262305860, 'admin', 'Colors 颜色', 'd/file/xuezhishi/ertongyingyu/3701.swf', NULL),
  (3801, 38, 47, 1262305920, 'admin', 'Numbers 数字', 'd/file/xuezhishi/shaoeryingyu/3801.swf', NULL),
  (3901, 39, 48, 1262305980, 'admin', '日月水火', 'd/file/xuezhishi/xuehanzi/3901.swf', NULL),
  (4001, 40, 49, 1262306040, 'admin', '好饿的毛毛虫', 'd/file/xuezhishi/kuailehuiben/4001.swf', NULL),
  (4101, 41, 50, 1262306100, 'admin', '找不同', 'd/file/wanyouxi/yizhiyouxi/4101.swf', NULL),
  (4201, 42, 51, 1262306160, 'admin', '小猫拼图', 'd/file/wanyouxi/pintutianse/4201.swf', NULL),
  (4301, 43, 52, 1262306220, 'admin', '十以内加法', 'd/file/wanyouxi/shuxueyouxi/4301.swf', NULL),
  (4401, 44, 53, 1262306280, 'admin', '识字游戏', 'd/file/wanyouxi/yuwenyouxi/4401.swf', NULL),
  (5101, 51, 54, 1262306340, 'member', '小天鹅舞', 'd/file/caiyizhanshi/wudao/5101.swf', NULL),
  (5201, 52, 55, 1262306400, 'member', '我爱唱歌', 'd/file/caiyizhanshi/shengle/5201.swf', NULL),
  (5301, 53, 56, 1262306460, 'member', '钢琴小曲', 'd/file/caiyizhanshi/leqi/5301.swf', NULL),
  (5401, 54, 57, 1262306520, 'member', '跳绳比赛', 'd/file/caiyizhanshi/yundong/5401.swf', NULL),
  (5501, 55, 58, 1262306580, 'member', '画太阳', 'd/file/caiyizhanshi/huihua/5501.swf', NULL),
  (7101, 71, 59, 1262306640, 'editor', 'It''s -- not; a comment', 'd/file/kids/7101.swf', NULL),
  (123456, 27, 60, 1262306700, 'admin', '桃园三结义', 'd/file/jianggushi/sanguoyanyi/123456.swf', NULL),
  (700001, 70, 61, 1262306760, 'admin', '亲子游戏', 'd/file/qinziketang/700001.swf', NULL);

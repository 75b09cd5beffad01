"""The demo catalogue's classes and titles.

Class numbers follow the site's own scheme: groups 1 to 5 hold no titles, the
tree's categories are 11 to 44, the talent show 51 to 55 and cartoons 60.
Titles are separated by "|"; a title may appear in more than one class.
"""

# (classid, parent classid, class name, folder under the site root)
GROUPS = [
    (1, 0, "听儿歌", "tingerge/"),
    (2, 0, "儿童故事", "jianggushi/"),
    (3, 0, "学知识", "xuezhishi/"),
    (4, 0, "儿童游戏", "wanyouxi/"),
    (5, 0, "才艺展示", "caiyizhanshi/"),
]

# (classid, parent classid, class name, folder, titles)
CLASSES = [
    (11, 1, "中文儿歌", "tingerge/zhongwenerge/",
     "两只老虎|小星星|世上只有妈妈好|找朋友|拔萝卜|小燕子|数鸭子|丢手绢|让我们荡起双桨|蜗牛与黄鹂鸟|"
     "小兔子乖乖|春天在哪里|粉刷匠|一分钱|卖报歌|娃哈哈|种太阳|小毛驴|上学歌|我爱北京天安门"),
    (12, 1, "英文儿歌", "tingerge/yingwenerge/",
     "一闪一闪小星星 Twinkle Twinkle|老麦克唐纳 Old MacDonald|划小船 Row Your Boat|咩咩小黑羊 Baa Baa Black Sheep|"
     "伦敦桥 London Bridge|公车上的轮子 Wheels on the Bus|If You're Happy 拍拍手|宾果 Bingo|"
     "头儿肩膀膝脚趾 Head and Shoulders|玛丽有只小羊羔 Mary Had a Little Lamb|小星星"),
    (13, 1, "童谣", "tingerge/tongyao/",
     "小老鼠上灯台|摇啊摇 摇到外婆桥|月亮走我也走|排排坐 吃果果|拍手歌|点虫虫|一二三四五 上山打老虎|"
     "小白兔白又白|两只老虎|大头大头 下雨不愁|金锁银锁|虫儿飞"),
    (14, 1, "外文儿歌", "tingerge/waiwenerge/", ""),
    (21, 2, "经典小故事", "jianggushi/jingdianxiaogushi/",
     "小马过河|小猫钓鱼|孔融让梨|司马光砸缸|乌鸦喝水|小蝌蚪找妈妈|曹冲称象|三只小猪|小猴子下山|小猴子捞月亮"),
    (22, 2, "童话故事", "jianggushi/tonghuagushi/",
     "白雪公主|小红帽|丑小鸭|卖火柴的小女孩|灰姑娘|海的女儿|皇帝的新装|拇指姑娘|睡美人|青蛙王子|豌豆公主|小红帽"),
    (23, 2, "寓言故事", "jianggushi/yuyangushi/",
     "龟兔赛跑|守株待兔|揠苗助长|狐狸和乌鸦|狼来了|井底之蛙|亡羊补牢|刻舟求剑|农夫与蛇|北风和太阳"),
    (24, 2, "成语故事", "jianggushi/chengyugushi/",
     "画蛇添足|掩耳盗铃|自相矛盾|对牛弹琴|叶公好龙|杯弓蛇影|画龙点睛|望梅止渴|狐假虎威|守株待兔"),
    (25, 2, "神话传说", "jianggushi/shenhuachuanshuo/",
     "女娲补天|精卫填海|后羿射日|夸父逐日|嫦娥奔月|盘古开天地|大禹治水|牛郎织女|哪吒闹海|八仙过海"),
    (26, 2, "木偶奇遇记", "jianggushi/muouqiyuji/",
     "|".join(f"木偶奇遇记 第{n}集" for n in range(1, 13))),
    (27, 2, "三国演义", "jianggushi/sanguoyanyi/",
     "桃园三结义|三顾茅庐|草船借箭|赤壁之战|空城计|七擒孟获|单刀赴会|千里走单骑|舌战群儒|借东风"),
    (31, 3, "唐诗宋词", "xuezhishi/tangshisongci/",
     "静夜思|春晓|咏鹅|悯农|登鹳雀楼|相思|江雪|游子吟|望庐山瀑布|绝句|赠汪伦|池上|所见|小池|画"),
    (32, 3, "快乐拼音", "xuezhishi/kuailepinyin/",
     "单韵母 a o e|单韵母 i u ü|声母 b p m f|声母 d t n l|声母 g k h|声母 j q x|整体认读音节|"
     "复韵母 ai ei ui|前鼻韵母 an en in|后鼻韵母 ang eng ing"),
    (33, 3, "幼儿启蒙", "xuezhishi/youerqimeng/",
     "认识颜色|认识形状|认识数字1到10|认识小动物|认识水果|认识蔬菜|认识交通工具|认识身体|认识时钟|四季歌"),
    (34, 3, "英语教育", "xuezhishi/yingyujiaoyu/",
     "字母歌 ABC|你好 Hello|数字 One Two Three|颜色 Colors|动物 Animals|家庭成员 Family|水果 Fruits|星期 Days of the Week"),
    (35, 3, "百科常识", "xuezhishi/baikechangshi/",
     "天为什么是蓝的|彩虹是怎么来的|恐龙的故事|小水滴旅行记|月亮为什么会变|蜜蜂怎样采蜜|种子发芽了|"
     "打雷是怎么回事|地球是圆的|海洋里的朋友"),
    (36, 3, "幼儿英语", "xuezhishi/youeryingyu/",
     "苹果 Apple|皮球 Ball|小猫 Cat|小狗 Dog|鸡蛋 Egg|小鱼 Fish|早上好 Good Morning|谢谢 Thank You"),
    (37, 3, "儿童英语", "xuezhishi/ertongyingyu/",
     "|".join(f"儿童英语 第{n}课 {t}" for n, t in enumerate(
         ["问好", "我的家", "我的学校", "好吃的", "去公园", "天气", "生日快乐", "动物园"], 1))),
    (38, 3, "少儿英语", "xuezhishi/shaoeryingyu/",
     "|".join(f"少儿英语 第{n}单元 {t}" for n, t in enumerate(
         ["自我介绍", "我的一天", "运动会", "四季", "交通", "职业"], 1))),
    (39, 3, "学汉字", "xuezhishi/xuehanzi/",
     "日月山川|人口手足|大小多少|上下左右|天地人|金木水火土|牛羊马鸟|花草树木|春夏秋冬|东南西北"),
    (40, 3, "快乐绘本", "xuezhishi/kuailehuiben/",
     "拔萝卜|小熊过生日|月亮船|小蚂蚁搬家|彩色的雨|会飞的房子|小刺猬的苹果|大象的鼻子|小鸡和小鸭|下雪了"),
    (41, 4, "益智游戏", "wanyouxi/yizhiyouxi/",
     "找不同|走迷宫|记忆翻翻乐|连连看|小熊穿衣服|帮小动物回家|影子配对|整理房间"),
    (42, 4, "拼图填色", "wanyouxi/pintutianse/",
     "给小花涂颜色|动物拼图|给房子填色|七巧板|水果拼图|汽车拼图|海底世界填色"),
    (43, 4, "数学游戏", "wanyouxi/shuxueyouxi/",
     "数一数|比大小|10以内加法|10以内减法|认识钟表|排排队|图形配对|分糖果"),
    (44, 4, "语文游戏", "wanyouxi/yuwenyouxi/",
     "汉字拼拼乐|看图识字|词语接龙|猜字谜|拼音钓鱼|组词小能手"),
    (51, 5, "舞蹈", "caiyizhanshi/wudao/",
     "孔雀舞|采茶舞|小天鹅|快乐拍手操|幼儿园集体舞 春天来了|新疆舞 摘葡萄"),
    (52, 5, "声乐", "caiyizhanshi/shengle/",
     "独唱 世上只有妈妈好|合唱 让我们荡起双桨|二重唱 小燕子|童声独唱 虫儿飞|合唱 种太阳"),
    (53, 5, "乐器", "caiyizhanshi/leqi/",
     "钢琴 小星星变奏|古筝 渔舟唱晚|小提琴 小步舞曲|二胡 赛马|竹笛 牧童短笛|架子鼓 欢乐鼓点"),
    (54, 5, "运动", "caiyizhanshi/yundong/",
     "少儿武术|儿童体操|跳绳比赛|小小足球队|轮滑表演"),
    (55, 5, "绘画", "caiyizhanshi/huihua/",
     "蜡笔画 我的家|水彩画 大海|国画 小虾|儿童画 春天|手指画 小鸡"),
    (60, 0, "动画片", "donghuapian/",
     "|".join([f"森林小火车 第{n}集" for n in range(1, 13)]
              + [f"熊猫乐乐 第{n}集" for n in range(1, 13)]
              + [f"西游记 第{n}集" for n in range(1, 11)]
              + ["小蝌蚪找妈妈", "小猴子捞月亮", "龟兔赛跑"])),
]

# What the detail pages say about a class's titles.
BLURBS = {
    1: "一首好听的儿歌，旋律欢快，歌词简单，宝宝一听就会唱。",
    2: "一个温暖有趣的故事，睡前听一听，做个甜甜的梦。",
    3: "边看边学，轻松有趣，让宝宝爱上学习。",
    4: "动动小脑筋，玩一玩，想一想，越玩越聪明。",
    5: "小朋友们的精彩表演，一起来给他们鼓鼓掌吧！",
    0: "好看的动画片，可爱的小伙伴陪宝宝度过快乐时光。",
}

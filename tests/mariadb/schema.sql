-- The catalogue's two tables as the site has them, with the columns the client never reads.
-- Loaded before the test seed and the demo catalogue.
CREATE DATABASE kelvoro CHARACTER SET utf8mb4 COLLATE utf8mb4_general_ci;
USE kelvoro;

CREATE TABLE `morrowick_enewsclass` (
  `classid` smallint(5) unsigned NOT NULL AUTO_INCREMENT,
  `bclassid` smallint(5) unsigned NOT NULL DEFAULT 0,
  `classname` varchar(50) NOT NULL DEFAULT '',
  `sonclass` text,
  `islast` tinyint(1) NOT NULL DEFAULT 0,
  `classpath` varchar(255) NOT NULL DEFAULT '',
  `myorder` smallint(6) NOT NULL DEFAULT 0,
  `intro` text,
  PRIMARY KEY (`classid`),
  KEY `bclassid` (`bclassid`)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4;

CREATE TABLE `morrowick_ecms_game` (
  `id` int(10) unsigned NOT NULL AUTO_INCREMENT,
  `classid` smallint(5) unsigned NOT NULL DEFAULT 0,
  `ttid` smallint(5) unsigned NOT NULL DEFAULT 0,
  `onclick` int(10) unsigned NOT NULL DEFAULT 0,
  `newstime` int(10) unsigned NOT NULL DEFAULT 0,
  `username` varchar(20) NOT NULL DEFAULT '',
  `titlepic` varchar(255) NOT NULL DEFAULT '',
  `title` varchar(200) NOT NULL DEFAULT '',
  `width` smallint(5) unsigned NOT NULL DEFAULT 550,
  `flashurl` varchar(255) DEFAULT NULL,
  `height` smallint(5) unsigned NOT NULL DEFAULT 400,
  `smalltext` text,
  PRIMARY KEY (`id`),
  KEY `classid` (`classid`)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4;

-- SPDX-License-Identifier: GPL-3.0-or-later
-- Starting values of the reference tables and the administrator account,
-- loaded once into a new database right after schema.sql.
-- Most reference tables start with a '' row meaning "not set": records that
-- leave a field empty point to it, so lookups never hit a missing code.

-- Department 1 is the head office; the administrator belongs to it.
INSERT INTO dep (dep_name) VALUES ('总经理办公室');
INSERT INTO dep (dep_name) VALUES ('销售部');
INSERT INTO dep (dep_name) VALUES ('市场部');
INSERT INTO dep (dep_name) VALUES ('行政部');
INSERT INTO dep (dep_name) VALUES ('财务部');

-- Password is stored encoded; the plain text is never kept.
INSERT INTO userlogin (user_name, user_pwd, user_dep_code, user_dep_mng, user_grade, user_lastlogin) VALUES ('admin', 'd5257d73bd30dd12ae2cce4d02bfb8ca', 1, '1', 0, '');

-- Provincial-level divisions.
INSERT INTO province (province_name) VALUES ('');
INSERT INTO province (province_name) VALUES ('北京市');
INSERT INTO province (province_name) VALUES ('天津市');
INSERT INTO province (province_name) VALUES ('河北省');
INSERT INTO province (province_name) VALUES ('山西省');
INSERT INTO province (province_name) VALUES ('内蒙古自治区');
INSERT INTO province (province_name) VALUES ('辽宁省');
INSERT INTO province (province_name) VALUES ('吉林省');
INSERT INTO province (province_name) VALUES ('黑龙江省');
INSERT INTO province (province_name) VALUES ('上海市');
INSERT INTO province (province_name) VALUES ('江苏省');
INSERT INTO province (province_name) VALUES ('浙江省');
INSERT INTO province (province_name) VALUES ('安徽省');
INSERT INTO province (province_name) VALUES ('福建省');
INSERT INTO province (province_name) VALUES ('江西省');
INSERT INTO province (province_name) VALUES ('山东省');
INSERT INTO province (province_name) VALUES ('河南省');
INSERT INTO province (province_name) VALUES ('湖北省');
INSERT INTO province (province_name) VALUES ('湖南省');
INSERT INTO province (province_name) VALUES ('广东省');
INSERT INTO province (province_name) VALUES ('广西壮族自治区');
INSERT INTO province (province_name) VALUES ('海南省');
INSERT INTO province (province_name) VALUES ('重庆市');
INSERT INTO province (province_name) VALUES ('四川省');
INSERT INTO province (province_name) VALUES ('贵州省');
INSERT INTO province (province_name) VALUES ('云南省');
INSERT INTO province (province_name) VALUES ('西藏自治区');
INSERT INTO province (province_name) VALUES ('陕西省');
INSERT INTO province (province_name) VALUES ('甘肃省');
INSERT INTO province (province_name) VALUES ('青海省');
INSERT INTO province (province_name) VALUES ('宁夏回族自治区');
INSERT INTO province (province_name) VALUES ('新疆维吾尔自治区');
INSERT INTO province (province_name) VALUES ('香港特别行政区');
INSERT INTO province (province_name) VALUES ('澳门特别行政区');
INSERT INTO province (province_name) VALUES ('台湾省');

-- Prefecture-level divisions with long-distance area code and postal code of the seat.
-- Municipalities are listed as one city. Neighbouring cities that share an area code
-- (e.g. 沈阳/抚顺/本溪/铁岭 024, 成都/眉山/资阳 028) carry the shared code.
-- 香港/澳门/台湾 carry their international dialling codes.
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('', 0, '', '');
-- 北京市
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('北京市', (SELECT province_code FROM province WHERE province_name='北京市'), '010', '100000');
-- 天津市
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('天津市', (SELECT province_code FROM province WHERE province_name='天津市'), '022', '300000');
-- 河北省
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('石家庄市', (SELECT province_code FROM province WHERE province_name='河北省'), '0311', '050000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('唐山市', (SELECT province_code FROM province WHERE province_name='河北省'), '0315', '063000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('秦皇岛市', (SELECT province_code FROM province WHERE province_name='河北省'), '0335', '066000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('邯郸市', (SELECT province_code FROM province WHERE province_name='河北省'), '0310', '056000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('邢台市', (SELECT province_code FROM province WHERE province_name='河北省'), '0319', '054000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('保定市', (SELECT province_code FROM province WHERE province_name='河北省'), '0312', '071000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('张家口市', (SELECT province_code FROM province WHERE province_name='河北省'), '0313', '075000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('承德市', (SELECT province_code FROM province WHERE province_name='河北省'), '0314', '067000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('沧州市', (SELECT province_code FROM province WHERE province_name='河北省'), '0317', '061000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('廊坊市', (SELECT province_code FROM province WHERE province_name='河北省'), '0316', '065000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('衡水市', (SELECT province_code FROM province WHERE province_name='河北省'), '0318', '053000');
-- 山西省
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('太原市', (SELECT province_code FROM province WHERE province_name='山西省'), '0351', '030000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('大同市', (SELECT province_code FROM province WHERE province_name='山西省'), '0352', '037000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('阳泉市', (SELECT province_code FROM province WHERE province_name='山西省'), '0353', '045000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('长治市', (SELECT province_code FROM province WHERE province_name='山西省'), '0355', '046000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('晋城市', (SELECT province_code FROM province WHERE province_name='山西省'), '0356', '048000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('朔州市', (SELECT province_code FROM province WHERE province_name='山西省'), '0349', '036000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('晋中市', (SELECT province_code FROM province WHERE province_name='山西省'), '0354', '030600');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('运城市', (SELECT province_code FROM province WHERE province_name='山西省'), '0359', '044000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('忻州市', (SELECT province_code FROM province WHERE province_name='山西省'), '0350', '034000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('临汾市', (SELECT province_code FROM province WHERE province_name='山西省'), '0357', '041000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('吕梁市', (SELECT province_code FROM province WHERE province_name='山西省'), '0358', '033000');
-- 内蒙古自治区
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('呼和浩特市', (SELECT province_code FROM province WHERE province_name='内蒙古自治区'), '0471', '010000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('包头市', (SELECT province_code FROM province WHERE province_name='内蒙古自治区'), '0472', '014000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('乌海市', (SELECT province_code FROM province WHERE province_name='内蒙古自治区'), '0473', '016000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('赤峰市', (SELECT province_code FROM province WHERE province_name='内蒙古自治区'), '0476', '024000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('通辽市', (SELECT province_code FROM province WHERE province_name='内蒙古自治区'), '0475', '028000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('鄂尔多斯市', (SELECT province_code FROM province WHERE province_name='内蒙古自治区'), '0477', '017000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('呼伦贝尔市', (SELECT province_code FROM province WHERE province_name='内蒙古自治区'), '0470', '021000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('巴彦淖尔市', (SELECT province_code FROM province WHERE province_name='内蒙古自治区'), '0478', '015000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('乌兰察布市', (SELECT province_code FROM province WHERE province_name='内蒙古自治区'), '0474', '012000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('兴安盟', (SELECT province_code FROM province WHERE province_name='内蒙古自治区'), '0482', '137400');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('锡林郭勒盟', (SELECT province_code FROM province WHERE province_name='内蒙古自治区'), '0479', '026000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('阿拉善盟', (SELECT province_code FROM province WHERE province_name='内蒙古自治区'), '0483', '750300');
-- 辽宁省
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('沈阳市', (SELECT province_code FROM province WHERE province_name='辽宁省'), '024', '110000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('大连市', (SELECT province_code FROM province WHERE province_name='辽宁省'), '0411', '116000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('鞍山市', (SELECT province_code FROM province WHERE province_name='辽宁省'), '0412', '114000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('抚顺市', (SELECT province_code FROM province WHERE province_name='辽宁省'), '024', '113000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('本溪市', (SELECT province_code FROM province WHERE province_name='辽宁省'), '024', '117000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('丹东市', (SELECT province_code FROM province WHERE province_name='辽宁省'), '0415', '118000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('锦州市', (SELECT province_code FROM province WHERE province_name='辽宁省'), '0416', '121000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('营口市', (SELECT province_code FROM province WHERE province_name='辽宁省'), '0417', '115000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('阜新市', (SELECT province_code FROM province WHERE province_name='辽宁省'), '0418', '123000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('辽阳市', (SELECT province_code FROM province WHERE province_name='辽宁省'), '0419', '111000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('盘锦市', (SELECT province_code FROM province WHERE province_name='辽宁省'), '0427', '124000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('铁岭市', (SELECT province_code FROM province WHERE province_name='辽宁省'), '024', '112000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('朝阳市', (SELECT province_code FROM province WHERE province_name='辽宁省'), '0421', '122000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('葫芦岛市', (SELECT province_code FROM province WHERE province_name='辽宁省'), '0429', '125000');
-- 吉林省
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('长春市', (SELECT province_code FROM province WHERE province_name='吉林省'), '0431', '130000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('吉林市', (SELECT province_code FROM province WHERE province_name='吉林省'), '0432', '132000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('四平市', (SELECT province_code FROM province WHERE province_name='吉林省'), '0434', '136000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('辽源市', (SELECT province_code FROM province WHERE province_name='吉林省'), '0437', '136200');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('通化市', (SELECT province_code FROM province WHERE province_name='吉林省'), '0435', '134000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('白山市', (SELECT province_code FROM province WHERE province_name='吉林省'), '0439', '134300');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('松原市', (SELECT province_code FROM province WHERE province_name='吉林省'), '0438', '138000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('白城市', (SELECT province_code FROM province WHERE province_name='吉林省'), '0436', '137000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('延边朝鲜族自治州', (SELECT province_code FROM province WHERE province_name='吉林省'), '0433', '133000');
-- 黑龙江省
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('哈尔滨市', (SELECT province_code FROM province WHERE province_name='黑龙江省'), '0451', '150000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('齐齐哈尔市', (SELECT province_code FROM province WHERE province_name='黑龙江省'), '0452', '161000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('鸡西市', (SELECT province_code FROM province WHERE province_name='黑龙江省'), '0467', '158100');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('鹤岗市', (SELECT province_code FROM province WHERE province_name='黑龙江省'), '0468', '154100');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('双鸭山市', (SELECT province_code FROM province WHERE province_name='黑龙江省'), '0469', '155100');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('大庆市', (SELECT province_code FROM province WHERE province_name='黑龙江省'), '0459', '163000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('伊春市', (SELECT province_code FROM province WHERE province_name='黑龙江省'), '0458', '153000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('佳木斯市', (SELECT province_code FROM province WHERE province_name='黑龙江省'), '0454', '154000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('七台河市', (SELECT province_code FROM province WHERE province_name='黑龙江省'), '0464', '154600');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('牡丹江市', (SELECT province_code FROM province WHERE province_name='黑龙江省'), '0453', '157000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('黑河市', (SELECT province_code FROM province WHERE province_name='黑龙江省'), '0456', '164300');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('绥化市', (SELECT province_code FROM province WHERE province_name='黑龙江省'), '0455', '152000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('大兴安岭地区', (SELECT province_code FROM province WHERE province_name='黑龙江省'), '0457', '165000');
-- 上海市
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('上海市', (SELECT province_code FROM province WHERE province_name='上海市'), '021', '200000');
-- 江苏省
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('南京市', (SELECT province_code FROM province WHERE province_name='江苏省'), '025', '210000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('无锡市', (SELECT province_code FROM province WHERE province_name='江苏省'), '0510', '214000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('徐州市', (SELECT province_code FROM province WHERE province_name='江苏省'), '0516', '221000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('常州市', (SELECT province_code FROM province WHERE province_name='江苏省'), '0519', '213000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('苏州市', (SELECT province_code FROM province WHERE province_name='江苏省'), '0512', '215000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('南通市', (SELECT province_code FROM province WHERE province_name='江苏省'), '0513', '226000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('连云港市', (SELECT province_code FROM province WHERE province_name='江苏省'), '0518', '222000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('淮安市', (SELECT province_code FROM province WHERE province_name='江苏省'), '0517', '223000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('盐城市', (SELECT province_code FROM province WHERE province_name='江苏省'), '0515', '224000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('扬州市', (SELECT province_code FROM province WHERE province_name='江苏省'), '0514', '225000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('镇江市', (SELECT province_code FROM province WHERE province_name='江苏省'), '0511', '212000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('泰州市', (SELECT province_code FROM province WHERE province_name='江苏省'), '0523', '225300');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('宿迁市', (SELECT province_code FROM province WHERE province_name='江苏省'), '0527', '223800');
-- 浙江省
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('杭州市', (SELECT province_code FROM province WHERE province_name='浙江省'), '0571', '310000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('宁波市', (SELECT province_code FROM province WHERE province_name='浙江省'), '0574', '315000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('温州市', (SELECT province_code FROM province WHERE province_name='浙江省'), '0577', '325000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('嘉兴市', (SELECT province_code FROM province WHERE province_name='浙江省'), '0573', '314000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('湖州市', (SELECT province_code FROM province WHERE province_name='浙江省'), '0572', '313000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('绍兴市', (SELECT province_code FROM province WHERE province_name='浙江省'), '0575', '312000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('金华市', (SELECT province_code FROM province WHERE province_name='浙江省'), '0579', '321000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('衢州市', (SELECT province_code FROM province WHERE province_name='浙江省'), '0570', '324000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('舟山市', (SELECT province_code FROM province WHERE province_name='浙江省'), '0580', '316000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('台州市', (SELECT province_code FROM province WHERE province_name='浙江省'), '0576', '318000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('丽水市', (SELECT province_code FROM province WHERE province_name='浙江省'), '0578', '323000');
-- 安徽省
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('合肥市', (SELECT province_code FROM province WHERE province_name='安徽省'), '0551', '230000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('芜湖市', (SELECT province_code FROM province WHERE province_name='安徽省'), '0553', '241000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('蚌埠市', (SELECT province_code FROM province WHERE province_name='安徽省'), '0552', '233000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('淮南市', (SELECT province_code FROM province WHERE province_name='安徽省'), '0554', '232000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('马鞍山市', (SELECT province_code FROM province WHERE province_name='安徽省'), '0555', '243000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('淮北市', (SELECT province_code FROM province WHERE province_name='安徽省'), '0561', '235000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('铜陵市', (SELECT province_code FROM province WHERE province_name='安徽省'), '0562', '244000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('安庆市', (SELECT province_code FROM province WHERE province_name='安徽省'), '0556', '246000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('黄山市', (SELECT province_code FROM province WHERE province_name='安徽省'), '0559', '245000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('滁州市', (SELECT province_code FROM province WHERE province_name='安徽省'), '0550', '239000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('阜阳市', (SELECT province_code FROM province WHERE province_name='安徽省'), '0558', '236000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('宿州市', (SELECT province_code FROM province WHERE province_name='安徽省'), '0557', '234000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('六安市', (SELECT province_code FROM province WHERE province_name='安徽省'), '0564', '237000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('亳州市', (SELECT province_code FROM province WHERE province_name='安徽省'), '0558', '236800');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('池州市', (SELECT province_code FROM province WHERE province_name='安徽省'), '0566', '247000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('宣城市', (SELECT province_code FROM province WHERE province_name='安徽省'), '0563', '242000');
-- 福建省
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('福州市', (SELECT province_code FROM province WHERE province_name='福建省'), '0591', '350000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('厦门市', (SELECT province_code FROM province WHERE province_name='福建省'), '0592', '361000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('莆田市', (SELECT province_code FROM province WHERE province_name='福建省'), '0594', '351100');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('三明市', (SELECT province_code FROM province WHERE province_name='福建省'), '0598', '365000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('泉州市', (SELECT province_code FROM province WHERE province_name='福建省'), '0595', '362000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('漳州市', (SELECT province_code FROM province WHERE province_name='福建省'), '0596', '363000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('南平市', (SELECT province_code FROM province WHERE province_name='福建省'), '0599', '353000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('龙岩市', (SELECT province_code FROM province WHERE province_name='福建省'), '0597', '364000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('宁德市', (SELECT province_code FROM province WHERE province_name='福建省'), '0593', '352100');
-- 江西省
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('南昌市', (SELECT province_code FROM province WHERE province_name='江西省'), '0791', '330000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('景德镇市', (SELECT province_code FROM province WHERE province_name='江西省'), '0798', '333000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('萍乡市', (SELECT province_code FROM province WHERE province_name='江西省'), '0799', '337000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('九江市', (SELECT province_code FROM province WHERE province_name='江西省'), '0792', '332000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('新余市', (SELECT province_code FROM province WHERE province_name='江西省'), '0790', '338000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('鹰潭市', (SELECT province_code FROM province WHERE province_name='江西省'), '0701', '335000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('赣州市', (SELECT province_code FROM province WHERE province_name='江西省'), '0797', '341000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('吉安市', (SELECT province_code FROM province WHERE province_name='江西省'), '0796', '343000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('宜春市', (SELECT province_code FROM province WHERE province_name='江西省'), '0795', '336000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('抚州市', (SELECT province_code FROM province WHERE province_name='江西省'), '0794', '344000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('上饶市', (SELECT province_code FROM province WHERE province_name='江西省'), '0793', '334000');
-- 山东省
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('济南市', (SELECT province_code FROM province WHERE province_name='山东省'), '0531', '250000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('青岛市', (SELECT province_code FROM province WHERE province_name='山东省'), '0532', '266000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('淄博市', (SELECT province_code FROM province WHERE province_name='山东省'), '0533', '255000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('枣庄市', (SELECT province_code FROM province WHERE province_name='山东省'), '0632', '277000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('东营市', (SELECT province_code FROM province WHERE province_name='山东省'), '0546', '257000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('烟台市', (SELECT province_code FROM province WHERE province_name='山东省'), '0535', '264000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('潍坊市', (SELECT province_code FROM province WHERE province_name='山东省'), '0536', '261000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('济宁市', (SELECT province_code FROM province WHERE province_name='山东省'), '0537', '272000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('泰安市', (SELECT province_code FROM province WHERE province_name='山东省'), '0538', '271000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('威海市', (SELECT province_code FROM province WHERE province_name='山东省'), '0631', '264200');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('日照市', (SELECT province_code FROM province WHERE province_name='山东省'), '0633', '276800');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('临沂市', (SELECT province_code FROM province WHERE province_name='山东省'), '0539', '276000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('德州市', (SELECT province_code FROM province WHERE province_name='山东省'), '0534', '253000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('聊城市', (SELECT province_code FROM province WHERE province_name='山东省'), '0635', '252000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('滨州市', (SELECT province_code FROM province WHERE province_name='山东省'), '0543', '256600');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('菏泽市', (SELECT province_code FROM province WHERE province_name='山东省'), '0530', '274000');
-- 河南省
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('郑州市', (SELECT province_code FROM province WHERE province_name='河南省'), '0371', '450000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('开封市', (SELECT province_code FROM province WHERE province_name='河南省'), '0371', '475000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('洛阳市', (SELECT province_code FROM province WHERE province_name='河南省'), '0379', '471000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('平顶山市', (SELECT province_code FROM province WHERE province_name='河南省'), '0375', '467000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('安阳市', (SELECT province_code FROM province WHERE province_name='河南省'), '0372', '455000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('鹤壁市', (SELECT province_code FROM province WHERE province_name='河南省'), '0392', '458000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('新乡市', (SELECT province_code FROM province WHERE province_name='河南省'), '0373', '453000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('焦作市', (SELECT province_code FROM province WHERE province_name='河南省'), '0391', '454000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('濮阳市', (SELECT province_code FROM province WHERE province_name='河南省'), '0393', '457000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('许昌市', (SELECT province_code FROM province WHERE province_name='河南省'), '0374', '461000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('漯河市', (SELECT province_code FROM province WHERE province_name='河南省'), '0395', '462000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('三门峡市', (SELECT province_code FROM province WHERE province_name='河南省'), '0398', '472000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('南阳市', (SELECT province_code FROM province WHERE province_name='河南省'), '0377', '473000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('商丘市', (SELECT province_code FROM province WHERE province_name='河南省'), '0370', '476000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('信阳市', (SELECT province_code FROM province WHERE province_name='河南省'), '0376', '464000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('周口市', (SELECT province_code FROM province WHERE province_name='河南省'), '0394', '466000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('驻马店市', (SELECT province_code FROM province WHERE province_name='河南省'), '0396', '463000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('济源市', (SELECT province_code FROM province WHERE province_name='河南省'), '0391', '459000');
-- 湖北省
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('武汉市', (SELECT province_code FROM province WHERE province_name='湖北省'), '027', '430000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('黄石市', (SELECT province_code FROM province WHERE province_name='湖北省'), '0714', '435000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('十堰市', (SELECT province_code FROM province WHERE province_name='湖北省'), '0719', '442000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('宜昌市', (SELECT province_code FROM province WHERE province_name='湖北省'), '0717', '443000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('襄阳市', (SELECT province_code FROM province WHERE province_name='湖北省'), '0710', '441000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('鄂州市', (SELECT province_code FROM province WHERE province_name='湖北省'), '0711', '436000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('荆门市', (SELECT province_code FROM province WHERE province_name='湖北省'), '0724', '448000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('孝感市', (SELECT province_code FROM province WHERE province_name='湖北省'), '0712', '432000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('荆州市', (SELECT province_code FROM province WHERE province_name='湖北省'), '0716', '434000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('黄冈市', (SELECT province_code FROM province WHERE province_name='湖北省'), '0713', '438000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('咸宁市', (SELECT province_code FROM province WHERE province_name='湖北省'), '0715', '437000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('随州市', (SELECT province_code FROM province WHERE province_name='湖北省'), '0722', '441300');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('恩施土家族苗族自治州', (SELECT province_code FROM province WHERE province_name='湖北省'), '0718', '445000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('仙桃市', (SELECT province_code FROM province WHERE province_name='湖北省'), '0728', '433000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('潜江市', (SELECT province_code FROM province WHERE province_name='湖北省'), '0728', '433100');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('天门市', (SELECT province_code FROM province WHERE province_name='湖北省'), '0728', '431700');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('神农架林区', (SELECT province_code FROM province WHERE province_name='湖北省'), '0719', '442400');
-- 湖南省
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('长沙市', (SELECT province_code FROM province WHERE province_name='湖南省'), '0731', '410000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('株洲市', (SELECT province_code FROM province WHERE province_name='湖南省'), '0731', '412000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('湘潭市', (SELECT province_code FROM province WHERE province_name='湖南省'), '0731', '411100');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('衡阳市', (SELECT province_code FROM province WHERE province_name='湖南省'), '0734', '421000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('邵阳市', (SELECT province_code FROM province WHERE province_name='湖南省'), '0739', '422000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('岳阳市', (SELECT province_code FROM province WHERE province_name='湖南省'), '0730', '414000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('常德市', (SELECT province_code FROM province WHERE province_name='湖南省'), '0736', '415000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('张家界市', (SELECT province_code FROM province WHERE province_name='湖南省'), '0744', '427000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('益阳市', (SELECT province_code FROM province WHERE province_name='湖南省'), '0737', '413000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('郴州市', (SELECT province_code FROM province WHERE province_name='湖南省'), '0735', '423000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('永州市', (SELECT province_code FROM province WHERE province_name='湖南省'), '0746', '425000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('怀化市', (SELECT province_code FROM province WHERE province_name='湖南省'), '0745', '418000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('娄底市', (SELECT province_code FROM province WHERE province_name='湖南省'), '0738', '417000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('湘西土家族苗族自治州', (SELECT province_code FROM province WHERE province_name='湖南省'), '0743', '416000');
-- 广东省
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('广州市', (SELECT province_code FROM province WHERE province_name='广东省'), '020', '510000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('韶关市', (SELECT province_code FROM province WHERE province_name='广东省'), '0751', '512000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('深圳市', (SELECT province_code FROM province WHERE province_name='广东省'), '0755', '518000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('珠海市', (SELECT province_code FROM province WHERE province_name='广东省'), '0756', '519000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('汕头市', (SELECT province_code FROM province WHERE province_name='广东省'), '0754', '515000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('佛山市', (SELECT province_code FROM province WHERE province_name='广东省'), '0757', '528000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('江门市', (SELECT province_code FROM province WHERE province_name='广东省'), '0750', '529000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('湛江市', (SELECT province_code FROM province WHERE province_name='广东省'), '0759', '524000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('茂名市', (SELECT province_code FROM province WHERE province_name='广东省'), '0668', '525000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('肇庆市', (SELECT province_code FROM province WHERE province_name='广东省'), '0758', '526000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('惠州市', (SELECT province_code FROM province WHERE province_name='广东省'), '0752', '516000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('梅州市', (SELECT province_code FROM province WHERE province_name='广东省'), '0753', '514000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('汕尾市', (SELECT province_code FROM province WHERE province_name='广东省'), '0660', '516600');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('河源市', (SELECT province_code FROM province WHERE province_name='广东省'), '0762', '517000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('阳江市', (SELECT province_code FROM province WHERE province_name='广东省'), '0662', '529500');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('清远市', (SELECT province_code FROM province WHERE province_name='广东省'), '0763', '511500');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('东莞市', (SELECT province_code FROM province WHERE province_name='广东省'), '0769', '523000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('中山市', (SELECT province_code FROM province WHERE province_name='广东省'), '0760', '528400');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('潮州市', (SELECT province_code FROM province WHERE province_name='广东省'), '0768', '521000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('揭阳市', (SELECT province_code FROM province WHERE province_name='广东省'), '0663', '522000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('云浮市', (SELECT province_code FROM province WHERE province_name='广东省'), '0766', '527300');
-- 广西壮族自治区
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('南宁市', (SELECT province_code FROM province WHERE province_name='广西壮族自治区'), '0771', '530000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('柳州市', (SELECT province_code FROM province WHERE province_name='广西壮族自治区'), '0772', '545000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('桂林市', (SELECT province_code FROM province WHERE province_name='广西壮族自治区'), '0773', '541000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('梧州市', (SELECT province_code FROM province WHERE province_name='广西壮族自治区'), '0774', '543000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('北海市', (SELECT province_code FROM province WHERE province_name='广西壮族自治区'), '0779', '536000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('防城港市', (SELECT province_code FROM province WHERE province_name='广西壮族自治区'), '0770', '538000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('钦州市', (SELECT province_code FROM province WHERE province_name='广西壮族自治区'), '0777', '535000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('贵港市', (SELECT province_code FROM province WHERE province_name='广西壮族自治区'), '0775', '537100');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('玉林市', (SELECT province_code FROM province WHERE province_name='广西壮族自治区'), '0775', '537000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('百色市', (SELECT province_code FROM province WHERE province_name='广西壮族自治区'), '0776', '533000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('贺州市', (SELECT province_code FROM province WHERE province_name='广西壮族自治区'), '0774', '542800');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('河池市', (SELECT province_code FROM province WHERE province_name='广西壮族自治区'), '0778', '547000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('来宾市', (SELECT province_code FROM province WHERE province_name='广西壮族自治区'), '0772', '546100');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('崇左市', (SELECT province_code FROM province WHERE province_name='广西壮族自治区'), '0771', '532200');
-- 海南省
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('海口市', (SELECT province_code FROM province WHERE province_name='海南省'), '0898', '570000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('三亚市', (SELECT province_code FROM province WHERE province_name='海南省'), '0898', '572000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('三沙市', (SELECT province_code FROM province WHERE province_name='海南省'), '0898', '573100');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('儋州市', (SELECT province_code FROM province WHERE province_name='海南省'), '0898', '571700');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('五指山市', (SELECT province_code FROM province WHERE province_name='海南省'), '0898', '572200');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('琼海市', (SELECT province_code FROM province WHERE province_name='海南省'), '0898', '571400');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('文昌市', (SELECT province_code FROM province WHERE province_name='海南省'), '0898', '571300');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('万宁市', (SELECT province_code FROM province WHERE province_name='海南省'), '0898', '571500');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('东方市', (SELECT province_code FROM province WHERE province_name='海南省'), '0898', '572600');
-- 重庆市
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('重庆市', (SELECT province_code FROM province WHERE province_name='重庆市'), '023', '400000');
-- 四川省
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('成都市', (SELECT province_code FROM province WHERE province_name='四川省'), '028', '610000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('自贡市', (SELECT province_code FROM province WHERE province_name='四川省'), '0813', '643000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('攀枝花市', (SELECT province_code FROM province WHERE province_name='四川省'), '0812', '617000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('泸州市', (SELECT province_code FROM province WHERE province_name='四川省'), '0830', '646000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('德阳市', (SELECT province_code FROM province WHERE province_name='四川省'), '0838', '618000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('绵阳市', (SELECT province_code FROM province WHERE province_name='四川省'), '0816', '621000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('广元市', (SELECT province_code FROM province WHERE province_name='四川省'), '0839', '628000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('遂宁市', (SELECT province_code FROM province WHERE province_name='四川省'), '0825', '629000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('内江市', (SELECT province_code FROM province WHERE province_name='四川省'), '0832', '641000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('乐山市', (SELECT province_code FROM province WHERE province_name='四川省'), '0833', '614000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('南充市', (SELECT province_code FROM province WHERE province_name='四川省'), '0817', '637000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('眉山市', (SELECT province_code FROM province WHERE province_name='四川省'), '028', '620000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('宜宾市', (SELECT province_code FROM province WHERE province_name='四川省'), '0831', '644000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('广安市', (SELECT province_code FROM province WHERE province_name='四川省'), '0826', '638000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('达州市', (SELECT province_code FROM province WHERE province_name='四川省'), '0818', '635000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('雅安市', (SELECT province_code FROM province WHERE province_name='四川省'), '0835', '625000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('巴中市', (SELECT province_code FROM province WHERE province_name='四川省'), '0827', '636000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('资阳市', (SELECT province_code FROM province WHERE province_name='四川省'), '028', '641300');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('阿坝藏族羌族自治州', (SELECT province_code FROM province WHERE province_name='四川省'), '0837', '624000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('甘孜藏族自治州', (SELECT province_code FROM province WHERE province_name='四川省'), '0836', '626000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('凉山彝族自治州', (SELECT province_code FROM province WHERE province_name='四川省'), '0834', '615000');
-- 贵州省
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('贵阳市', (SELECT province_code FROM province WHERE province_name='贵州省'), '0851', '550000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('六盘水市', (SELECT province_code FROM province WHERE province_name='贵州省'), '0858', '553000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('遵义市', (SELECT province_code FROM province WHERE province_name='贵州省'), '0851', '563000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('安顺市', (SELECT province_code FROM province WHERE province_name='贵州省'), '0851', '561000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('毕节市', (SELECT province_code FROM province WHERE province_name='贵州省'), '0857', '551700');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('铜仁市', (SELECT province_code FROM province WHERE province_name='贵州省'), '0856', '554300');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('黔西南布依族苗族自治州', (SELECT province_code FROM province WHERE province_name='贵州省'), '0859', '562400');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('黔东南苗族侗族自治州', (SELECT province_code FROM province WHERE province_name='贵州省'), '0855', '556000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('黔南布依族苗族自治州', (SELECT province_code FROM province WHERE province_name='贵州省'), '0854', '558000');
-- 云南省
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('昆明市', (SELECT province_code FROM province WHERE province_name='云南省'), '0871', '650000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('曲靖市', (SELECT province_code FROM province WHERE province_name='云南省'), '0874', '655000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('玉溪市', (SELECT province_code FROM province WHERE province_name='云南省'), '0877', '653100');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('保山市', (SELECT province_code FROM province WHERE province_name='云南省'), '0875', '678000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('昭通市', (SELECT province_code FROM province WHERE province_name='云南省'), '0870', '657000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('丽江市', (SELECT province_code FROM province WHERE province_name='云南省'), '0888', '674100');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('普洱市', (SELECT province_code FROM province WHERE province_name='云南省'), '0879', '665000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('临沧市', (SELECT province_code FROM province WHERE province_name='云南省'), '0883', '677000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('楚雄彝族自治州', (SELECT province_code FROM province WHERE province_name='云南省'), '0878', '675000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('红河哈尼族彝族自治州', (SELECT province_code FROM province WHERE province_name='云南省'), '0873', '661100');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('文山壮族苗族自治州', (SELECT province_code FROM province WHERE province_name='云南省'), '0876', '663000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('西双版纳傣族自治州', (SELECT province_code FROM province WHERE province_name='云南省'), '0691', '666100');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('大理白族自治州', (SELECT province_code FROM province WHERE province_name='云南省'), '0872', '671000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('德宏傣族景颇族自治州', (SELECT province_code FROM province WHERE province_name='云南省'), '0692', '678400');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('怒江傈僳族自治州', (SELECT province_code FROM province WHERE province_name='云南省'), '0886', '673100');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('迪庆藏族自治州', (SELECT province_code FROM province WHERE province_name='云南省'), '0887', '674400');
-- 西藏自治区
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('拉萨市', (SELECT province_code FROM province WHERE province_name='西藏自治区'), '0891', '850000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('日喀则市', (SELECT province_code FROM province WHERE province_name='西藏自治区'), '0892', '857000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('昌都市', (SELECT province_code FROM province WHERE province_name='西藏自治区'), '0895', '854000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('林芝市', (SELECT province_code FROM province WHERE province_name='西藏自治区'), '0894', '860000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('山南市', (SELECT province_code FROM province WHERE province_name='西藏自治区'), '0893', '856000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('那曲市', (SELECT province_code FROM province WHERE province_name='西藏自治区'), '0896', '852000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('阿里地区', (SELECT province_code FROM province WHERE province_name='西藏自治区'), '0897', '859000');
-- 陕西省
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('西安市', (SELECT province_code FROM province WHERE province_name='陕西省'), '029', '710000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('铜川市', (SELECT province_code FROM province WHERE province_name='陕西省'), '0919', '727000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('宝鸡市', (SELECT province_code FROM province WHERE province_name='陕西省'), '0917', '721000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('咸阳市', (SELECT province_code FROM province WHERE province_name='陕西省'), '029', '712000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('渭南市', (SELECT province_code FROM province WHERE province_name='陕西省'), '0913', '714000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('延安市', (SELECT province_code FROM province WHERE province_name='陕西省'), '0911', '716000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('汉中市', (SELECT province_code FROM province WHERE province_name='陕西省'), '0916', '723000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('榆林市', (SELECT province_code FROM province WHERE province_name='陕西省'), '0912', '719000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('安康市', (SELECT province_code FROM province WHERE province_name='陕西省'), '0915', '725000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('商洛市', (SELECT province_code FROM province WHERE province_name='陕西省'), '0914', '726000');
-- 甘肃省
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('兰州市', (SELECT province_code FROM province WHERE province_name='甘肃省'), '0931', '730000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('嘉峪关市', (SELECT province_code FROM province WHERE province_name='甘肃省'), '0937', '735100');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('金昌市', (SELECT province_code FROM province WHERE province_name='甘肃省'), '0935', '737100');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('白银市', (SELECT province_code FROM province WHERE province_name='甘肃省'), '0943', '730900');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('天水市', (SELECT province_code FROM province WHERE province_name='甘肃省'), '0938', '741000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('武威市', (SELECT province_code FROM province WHERE province_name='甘肃省'), '0935', '733000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('张掖市', (SELECT province_code FROM province WHERE province_name='甘肃省'), '0936', '734000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('平凉市', (SELECT province_code FROM province WHERE province_name='甘肃省'), '0933', '744000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('酒泉市', (SELECT province_code FROM province WHERE province_name='甘肃省'), '0937', '735000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('庆阳市', (SELECT province_code FROM province WHERE province_name='甘肃省'), '0934', '745000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('定西市', (SELECT province_code FROM province WHERE province_name='甘肃省'), '0932', '743000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('陇南市', (SELECT province_code FROM province WHERE province_name='甘肃省'), '0939', '746000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('临夏回族自治州', (SELECT province_code FROM province WHERE province_name='甘肃省'), '0930', '731100');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('甘南藏族自治州', (SELECT province_code FROM province WHERE province_name='甘肃省'), '0941', '747000');
-- 青海省
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('西宁市', (SELECT province_code FROM province WHERE province_name='青海省'), '0971', '810000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('海东市', (SELECT province_code FROM province WHERE province_name='青海省'), '0972', '810700');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('海北藏族自治州', (SELECT province_code FROM province WHERE province_name='青海省'), '0970', '812200');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('黄南藏族自治州', (SELECT province_code FROM province WHERE province_name='青海省'), '0973', '811300');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('海南藏族自治州', (SELECT province_code FROM province WHERE province_name='青海省'), '0974', '813000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('果洛藏族自治州', (SELECT province_code FROM province WHERE province_name='青海省'), '0975', '814000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('玉树藏族自治州', (SELECT province_code FROM province WHERE province_name='青海省'), '0976', '815000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('海西蒙古族藏族自治州', (SELECT province_code FROM province WHERE province_name='青海省'), '0977', '817000');
-- 宁夏回族自治区
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('银川市', (SELECT province_code FROM province WHERE province_name='宁夏回族自治区'), '0951', '750000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('石嘴山市', (SELECT province_code FROM province WHERE province_name='宁夏回族自治区'), '0952', '753000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('吴忠市', (SELECT province_code FROM province WHERE province_name='宁夏回族自治区'), '0953', '751100');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('固原市', (SELECT province_code FROM province WHERE province_name='宁夏回族自治区'), '0954', '756000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('中卫市', (SELECT province_code FROM province WHERE province_name='宁夏回族自治区'), '0955', '755000');
-- 新疆维吾尔自治区
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('乌鲁木齐市', (SELECT province_code FROM province WHERE province_name='新疆维吾尔自治区'), '0991', '830000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('克拉玛依市', (SELECT province_code FROM province WHERE province_name='新疆维吾尔自治区'), '0990', '834000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('吐鲁番市', (SELECT province_code FROM province WHERE province_name='新疆维吾尔自治区'), '0995', '838000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('哈密市', (SELECT province_code FROM province WHERE province_name='新疆维吾尔自治区'), '0902', '839000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('昌吉回族自治州', (SELECT province_code FROM province WHERE province_name='新疆维吾尔自治区'), '0994', '831100');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('博尔塔拉蒙古自治州', (SELECT province_code FROM province WHERE province_name='新疆维吾尔自治区'), '0909', '833400');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('巴音郭楞蒙古自治州', (SELECT province_code FROM province WHERE province_name='新疆维吾尔自治区'), '0996', '841000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('阿克苏地区', (SELECT province_code FROM province WHERE province_name='新疆维吾尔自治区'), '0997', '843000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('克孜勒苏柯尔克孜自治州', (SELECT province_code FROM province WHERE province_name='新疆维吾尔自治区'), '0908', '845350');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('喀什地区', (SELECT province_code FROM province WHERE province_name='新疆维吾尔自治区'), '0998', '844000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('和田地区', (SELECT province_code FROM province WHERE province_name='新疆维吾尔自治区'), '0903', '848000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('伊犁哈萨克自治州', (SELECT province_code FROM province WHERE province_name='新疆维吾尔自治区'), '0999', '835000');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('塔城地区', (SELECT province_code FROM province WHERE province_name='新疆维吾尔自治区'), '0901', '834700');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('阿勒泰地区', (SELECT province_code FROM province WHERE province_name='新疆维吾尔自治区'), '0906', '836500');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('石河子市', (SELECT province_code FROM province WHERE province_name='新疆维吾尔自治区'), '0993', '832000');
-- 香港特别行政区
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('香港特别行政区', (SELECT province_code FROM province WHERE province_name='香港特别行政区'), '852', '999077');
-- 澳门特别行政区
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('澳门特别行政区', (SELECT province_code FROM province WHERE province_name='澳门特别行政区'), '853', '999078');
-- 台湾省
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('台北市', (SELECT province_code FROM province WHERE province_name='台湾省'), '886', '');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('新北市', (SELECT province_code FROM province WHERE province_name='台湾省'), '886', '');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('桃园市', (SELECT province_code FROM province WHERE province_name='台湾省'), '886', '');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('台中市', (SELECT province_code FROM province WHERE province_name='台湾省'), '886', '');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('台南市', (SELECT province_code FROM province WHERE province_name='台湾省'), '886', '');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('高雄市', (SELECT province_code FROM province WHERE province_name='台湾省'), '886', '');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('基隆市', (SELECT province_code FROM province WHERE province_name='台湾省'), '886', '');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('新竹市', (SELECT province_code FROM province WHERE province_name='台湾省'), '886', '');
INSERT INTO city (city_name, city_province_code, city_area_code, city_zip) VALUES ('嘉义市', (SELECT province_code FROM province WHERE province_name='台湾省'), '886', '');

-- Business areas.
INSERT INTO region (region_name) VALUES ('');
INSERT INTO region (region_name) VALUES ('华北');
INSERT INTO region (region_name) VALUES ('东北');
INSERT INTO region (region_name) VALUES ('华东');
INSERT INTO region (region_name) VALUES ('华中');
INSERT INTO region (region_name) VALUES ('华南');
INSERT INTO region (region_name) VALUES ('西南');
INSERT INTO region (region_name) VALUES ('西北');
INSERT INTO region (region_name) VALUES ('港澳台');
INSERT INTO region (region_name) VALUES ('海外');

-- Industries.
INSERT INTO industry (industry_name) VALUES ('');
INSERT INTO industry (industry_name) VALUES ('IT/互联网');
INSERT INTO industry (industry_name) VALUES ('电子/通信设备');
INSERT INTO industry (industry_name) VALUES ('电信');
INSERT INTO industry (industry_name) VALUES ('金融');
INSERT INTO industry (industry_name) VALUES ('银行');
INSERT INTO industry (industry_name) VALUES ('保险');
INSERT INTO industry (industry_name) VALUES ('证券/基金');
INSERT INTO industry (industry_name) VALUES ('房地产');
INSERT INTO industry (industry_name) VALUES ('建筑/工程');
INSERT INTO industry (industry_name) VALUES ('制造业');
INSERT INTO industry (industry_name) VALUES ('汽车');
INSERT INTO industry (industry_name) VALUES ('机械设备');
INSERT INTO industry (industry_name) VALUES ('医疗卫生');
INSERT INTO industry (industry_name) VALUES ('医药');
INSERT INTO industry (industry_name) VALUES ('教育/培训');
INSERT INTO industry (industry_name) VALUES ('政府机关');
INSERT INTO industry (industry_name) VALUES ('事业单位');
INSERT INTO industry (industry_name) VALUES ('法律');
INSERT INTO industry (industry_name) VALUES ('咨询');
INSERT INTO industry (industry_name) VALUES ('媒体/广告');
INSERT INTO industry (industry_name) VALUES ('物流运输');
INSERT INTO industry (industry_name) VALUES ('贸易/进出口');
INSERT INTO industry (industry_name) VALUES ('零售/批发');
INSERT INTO industry (industry_name) VALUES ('餐饮酒店');
INSERT INTO industry (industry_name) VALUES ('旅游');
INSERT INTO industry (industry_name) VALUES ('能源/电力');
INSERT INTO industry (industry_name) VALUES ('化工');
INSERT INTO industry (industry_name) VALUES ('农林牧渔');
INSERT INTO industry (industry_name) VALUES ('文化娱乐');
INSERT INTO industry (industry_name) VALUES ('其他');

-- Posts; duty_value ranks seniority (higher = more senior), lists sort by it descending.
INSERT INTO duty (duty_name, duty_value) VALUES ('', 0);
INSERT INTO duty (duty_name, duty_value) VALUES ('董事长', 100);
INSERT INTO duty (duty_name, duty_value) VALUES ('总裁', 97);
INSERT INTO duty (duty_name, duty_value) VALUES ('总经理', 95);
INSERT INTO duty (duty_name, duty_value) VALUES ('副总经理', 90);
INSERT INTO duty (duty_name, duty_value) VALUES ('局长', 85);
INSERT INTO duty (duty_name, duty_value) VALUES ('副局长', 82);
INSERT INTO duty (duty_name, duty_value) VALUES ('总监', 80);
INSERT INTO duty (duty_name, duty_value) VALUES ('处长', 75);
INSERT INTO duty (duty_name, duty_value) VALUES ('副处长', 72);
INSERT INTO duty (duty_name, duty_value) VALUES ('经理', 70);
INSERT INTO duty (duty_name, duty_value) VALUES ('教授', 70);
INSERT INTO duty (duty_name, duty_value) VALUES ('副经理', 65);
INSERT INTO duty (duty_name, duty_value) VALUES ('科长', 60);
INSERT INTO duty (duty_name, duty_value) VALUES ('主管', 55);
INSERT INTO duty (duty_name, duty_value) VALUES ('主任', 55);
INSERT INTO duty (duty_name, duty_value) VALUES ('医生', 50);
INSERT INTO duty (duty_name, duty_value) VALUES ('律师', 50);
INSERT INTO duty (duty_name, duty_value) VALUES ('工程师', 40);
INSERT INTO duty (duty_name, duty_value) VALUES ('会计', 30);
INSERT INTO duty (duty_name, duty_value) VALUES ('秘书', 25);
INSERT INTO duty (duty_name, duty_value) VALUES ('职员', 10);
INSERT INTO duty (duty_name, duty_value) VALUES ('其他', 1);

-- Contact levels: sort_value is the points of the level, sort_frequence the
-- intended number of days between contacts.
INSERT INTO sort (sort_name, sort_value, sort_frequence) VALUES ('', 0, 0);
INSERT INTO sort (sort_name, sort_value, sort_frequence) VALUES ('A级-核心', 10, 7);
INSERT INTO sort (sort_name, sort_value, sort_frequence) VALUES ('B级-重要', 6, 15);
INSERT INTO sort (sort_name, sort_value, sort_frequence) VALUES ('C级-一般', 3, 30);
INSERT INTO sort (sort_name, sort_value, sort_frequence) VALUES ('D级-普通', 1, 90);

-- Relation categories.
INSERT INTO relationsort (relationsort_name) VALUES ('');
INSERT INTO relationsort (relationsort_name) VALUES ('客户');
INSERT INTO relationsort (relationsort_name) VALUES ('潜在客户');
INSERT INTO relationsort (relationsort_name) VALUES ('合作伙伴');
INSERT INTO relationsort (relationsort_name) VALUES ('供应商');
INSERT INTO relationsort (relationsort_name) VALUES ('同事');
INSERT INTO relationsort (relationsort_name) VALUES ('上级领导');
INSERT INTO relationsort (relationsort_name) VALUES ('政府关系');
INSERT INTO relationsort (relationsort_name) VALUES ('同学');
INSERT INTO relationsort (relationsort_name) VALUES ('朋友');
INSERT INTO relationsort (relationsort_name) VALUES ('亲戚');
INSERT INTO relationsort (relationsort_name) VALUES ('老乡');
INSERT INTO relationsort (relationsort_name) VALUES ('其他');

-- Education levels.
INSERT INTO degree (degree_name) VALUES ('');
INSERT INTO degree (degree_name) VALUES ('博士');
INSERT INTO degree (degree_name) VALUES ('硕士');
INSERT INTO degree (degree_name) VALUES ('本科');
INSERT INTO degree (degree_name) VALUES ('大专');
INSERT INTO degree (degree_name) VALUES ('中专');
INSERT INTO degree (degree_name) VALUES ('高中');
INSERT INTO degree (degree_name) VALUES ('初中');
INSERT INTO degree (degree_name) VALUES ('小学');
INSERT INTO degree (degree_name) VALUES ('其他');

-- Interaction types.
INSERT INTO business (business_name) VALUES ('');
INSERT INTO business (business_name) VALUES ('拜访');
INSERT INTO business (business_name) VALUES ('电话');
INSERT INTO business (business_name) VALUES ('宴请');
INSERT INTO business (business_name) VALUES ('送礼');
INSERT INTO business (business_name) VALUES ('会议');
INSERT INTO business (business_name) VALUES ('短信');
INSERT INTO business (business_name) VALUES ('邮件');
INSERT INTO business (business_name) VALUES ('娱乐');
INSERT INTO business (business_name) VALUES ('商务洽谈');
INSERT INTO business (business_name) VALUES ('其他');

-- Document categories.
INSERT INTO docsort (docsort_name) VALUES ('');
INSERT INTO docsort (docsort_name) VALUES ('合同');
INSERT INTO docsort (docsort_name) VALUES ('名片');
INSERT INTO docsort (docsort_name) VALUES ('照片');
INSERT INTO docsort (docsort_name) VALUES ('简历');
INSERT INTO docsort (docsort_name) VALUES ('往来函件');
INSERT INTO docsort (docsort_name) VALUES ('报价单');
INSERT INTO docsort (docsort_name) VALUES ('其他');

-- Categories of the user's own material.
INSERT INTO datumsort (datumsort_name) VALUES ('');
INSERT INTO datumsort (datumsort_name) VALUES ('工作计划');
INSERT INTO datumsort (datumsort_name) VALUES ('学习资料');
INSERT INTO datumsort (datumsort_name) VALUES ('个人文档');
INSERT INTO datumsort (datumsort_name) VALUES ('财务资料');
INSERT INTO datumsort (datumsort_name) VALUES ('其他');

-- Social relation categories.
INSERT INTO assosort (assosort_name) VALUES ('');
INSERT INTO assosort (assosort_name) VALUES ('家人');
INSERT INTO assosort (assosort_name) VALUES ('亲戚');
INSERT INTO assosort (assosort_name) VALUES ('同学');
INSERT INTO assosort (assosort_name) VALUES ('同事');
INSERT INTO assosort (assosort_name) VALUES ('朋友');
INSERT INTO assosort (assosort_name) VALUES ('战友');
INSERT INTO assosort (assosort_name) VALUES ('老乡');
INSERT INTO assosort (assosort_name) VALUES ('其他');

-- Phone directory categories.
INSERT INTO societysitesort (societysitesort_name) VALUES ('');
INSERT INTO societysitesort (societysitesort_name) VALUES ('餐饮');
INSERT INTO societysitesort (societysitesort_name) VALUES ('酒店');
INSERT INTO societysitesort (societysitesort_name) VALUES ('交通出行');
INSERT INTO societysitesort (societysitesort_name) VALUES ('医疗');
INSERT INTO societysitesort (societysitesort_name) VALUES ('政府机构');
INSERT INTO societysitesort (societysitesort_name) VALUES ('银行');
INSERT INTO societysitesort (societysitesort_name) VALUES ('维修服务');
INSERT INTO societysitesort (societysitesort_name) VALUES ('快递物流');
INSERT INTO societysitesort (societysitesort_name) VALUES ('其他');

-- Roles of a phone directory entry.
INSERT INTO societyrelationsort (societyrelationsort_name) VALUES ('');
INSERT INTO societyrelationsort (societyrelationsort_name) VALUES ('联系人');
INSERT INTO societyrelationsort (societyrelationsort_name) VALUES ('负责人');
INSERT INTO societyrelationsort (societyrelationsort_name) VALUES ('经理');
INSERT INTO societyrelationsort (societyrelationsort_name) VALUES ('前台');
INSERT INTO societyrelationsort (societyrelationsort_name) VALUES ('客服');

-- Fixed-date festivals. Month and day are zero-padded so text order is calendar order.
INSERT INTO feast (feast_name, feast_month, feast_day) VALUES ('元旦', '01', '01');
INSERT INTO feast (feast_name, feast_month, feast_day) VALUES ('情人节', '02', '14');
INSERT INTO feast (feast_name, feast_month, feast_day) VALUES ('妇女节', '03', '08');
INSERT INTO feast (feast_name, feast_month, feast_day) VALUES ('植树节', '03', '12');
INSERT INTO feast (feast_name, feast_month, feast_day) VALUES ('愚人节', '04', '01');
INSERT INTO feast (feast_name, feast_month, feast_day) VALUES ('劳动节', '05', '01');
INSERT INTO feast (feast_name, feast_month, feast_day) VALUES ('青年节', '05', '04');
INSERT INTO feast (feast_name, feast_month, feast_day) VALUES ('儿童节', '06', '01');
INSERT INTO feast (feast_name, feast_month, feast_day) VALUES ('建党节', '07', '01');
INSERT INTO feast (feast_name, feast_month, feast_day) VALUES ('建军节', '08', '01');
INSERT INTO feast (feast_name, feast_month, feast_day) VALUES ('教师节', '09', '10');
INSERT INTO feast (feast_name, feast_month, feast_day) VALUES ('国庆节', '10', '01');
INSERT INTO feast (feast_name, feast_month, feast_day) VALUES ('万圣节', '10', '31');
INSERT INTO feast (feast_name, feast_month, feast_day) VALUES ('平安夜', '12', '24');
INSERT INTO feast (feast_name, feast_month, feast_day) VALUES ('圣诞节', '12', '25');

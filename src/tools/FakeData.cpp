// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/FakeData.h"

#include <QStringList>
#include <iterator>

namespace {

template <std::size_t N> QString pickFrom(SeededRandom& random, const char* const (&pool)[N]) {
    return QString::fromUtf8(pool[random.below(qint64(N))]);
}

// Ordered from common to rare; picked with a bias to the front.
struct Surname {
    const char* name;
    const char* pinyin;
};
const Surname kSurnames[] = {
    {"王", "wang"},  {"李", "li"},       {"张", "zhang"},  {"刘", "liu"},    {"陈", "chen"},
    {"杨", "yang"},  {"黄", "huang"},    {"赵", "zhao"},   {"吴", "wu"},     {"周", "zhou"},
    {"徐", "xu"},    {"孙", "sun"},      {"马", "ma"},     {"朱", "zhu"},    {"胡", "hu"},
    {"郭", "guo"},   {"何", "he"},       {"林", "lin"},    {"高", "gao"},    {"罗", "luo"},
    {"郑", "zheng"}, {"梁", "liang"},    {"谢", "xie"},    {"宋", "song"},   {"唐", "tang"},
    {"许", "xu"},    {"韩", "han"},      {"冯", "feng"},   {"邓", "deng"},   {"曹", "cao"},
    {"彭", "peng"},  {"曾", "zeng"},     {"肖", "xiao"},   {"田", "tian"},   {"董", "dong"},
    {"潘", "pan"},   {"袁", "yuan"},     {"蔡", "cai"},    {"蒋", "jiang"},  {"余", "yu"},
    {"于", "yu"},    {"杜", "du"},       {"叶", "ye"},     {"程", "cheng"},  {"魏", "wei"},
    {"苏", "su"},    {"吕", "lv"},       {"丁", "ding"},   {"任", "ren"},    {"卢", "lu"},
    {"姚", "yao"},   {"沈", "shen"},     {"钟", "zhong"},  {"姜", "jiang"},  {"崔", "cui"},
    {"谭", "tan"},   {"陆", "lu"},       {"范", "fan"},    {"汪", "wang"},   {"廖", "liao"},
    {"石", "shi"},   {"金", "jin"},      {"韦", "wei"},    {"贾", "jia"},    {"夏", "xia"},
    {"付", "fu"},    {"方", "fang"},     {"邹", "zou"},    {"熊", "xiong"},  {"白", "bai"},
    {"孟", "meng"},  {"秦", "qin"},      {"邱", "qiu"},    {"侯", "hou"},    {"江", "jiang"},
    {"尹", "yin"},   {"薛", "xue"},      {"闫", "yan"},    {"段", "duan"},   {"雷", "lei"},
    {"龙", "long"},  {"黎", "li"},       {"史", "shi"},    {"陶", "tao"},    {"贺", "he"},
    {"毛", "mao"},   {"郝", "hao"},      {"顾", "gu"},     {"龚", "gong"},   {"邵", "shao"},
    {"万", "wan"},   {"覃", "qin"},      {"武", "wu"},     {"钱", "qian"},   {"戴", "dai"},
    {"严", "yan"},   {"欧阳", "ouyang"}, {"司马", "sima"}, {"诸葛", "zhuge"}};

const char* const kMaleChars[] = {
    "伟", "强", "磊", "军", "勇", "杰", "涛", "斌", "超", "明", "刚", "平", "辉", "鹏", "华",
    "飞", "鑫", "波", "宇", "浩", "凯", "健", "俊", "帆", "旭", "宁", "龙", "林", "阳", "建",
    "国", "志", "海", "东", "峰", "亮", "成", "文", "晨", "博", "宏", "振", "昊", "天", "翔",
    "子", "轩", "然", "嘉", "睿", "泽", "鸿", "卫", "新", "立", "永", "春", "庆", "德", "忠"};
const char* const kFemaleChars[] = {"芳", "娜", "敏", "静", "丽", "艳", "娟", "霞", "秀", "玲",
                                    "燕", "红", "琳", "雪", "婷", "慧", "倩", "颖", "洁", "萍",
                                    "梅", "莉", "晶", "欣", "怡", "佳", "雯", "璐", "蕾", "瑶",
                                    "琪", "月", "莹", "丹", "萌", "悦", "思", "诗", "雨", "梦",
                                    "婉", "惠", "淑", "兰", "凤", "菲", "晓", "欢", "媛", "薇"};

struct Brand {
    const char* name;
    const char* pinyin;
};
const Brand kBrands[] = {
    {"华信", "huaxin"},     {"中科", "zhongke"},    {"恒达", "hengda"},    {"鑫源", "xinyuan"},
    {"宏图", "hongtu"},     {"金桥", "jinqiao"},    {"天成", "tiancheng"}, {"东方", "dongfang"},
    {"永泰", "yongtai"},    {"瑞丰", "ruifeng"},    {"博远", "boyuan"},    {"嘉禾", "jiahe"},
    {"盛世", "shengshi"},   {"远大", "yuanda"},     {"华宇", "huayu"},     {"中联", "zhonglian"},
    {"汇通", "huitong"},    {"海纳", "haina"},      {"九州", "jiuzhou"},   {"鼎盛", "dingsheng"},
    {"诚信", "chengxin"},   {"联创", "lianchuang"}, {"安信", "anxin"},     {"鸿运", "hongyun"},
    {"同创", "tongchuang"}, {"德润", "derun"},      {"启明", "qiming"},    {"星河", "xinghe"},
    {"蓝海", "lanhai"},     {"金鼎", "jinding"},    {"万通", "wantong"},   {"正阳", "zhengyang"},
    {"信达", "xinda"},      {"锦程", "jincheng"},   {"凯旋", "kaixuan"},   {"新纪元", "xinjiyuan"},
    {"三环", "sanhuan"},    {"百川", "baichuan"},   {"长风", "changfeng"}, {"明德", "mingde"}};

// Unit name templates by industry: {c} is the city, {b} the brand.
struct IndustryWords {
    const char* industry;
    const char* templates[3];
    const char* mainBusiness;
};
const IndustryWords kIndustries[] = {
    {"IT/互联网",
     {"{c}{b}科技有限公司", "{c}{b}信息技术有限公司", "{c}{b}网络科技有限公司"},
     "软件开发、系统集成、技术服务"},
    {"电子/通信设备",
     {"{c}{b}电子有限公司", "{c}{b}通信设备有限公司", "{c}{b}微电子股份有限公司"},
     "电子元器件、通信设备研发与生产"},
    {"电信", {"{c}{b}通信工程有限公司", "{c}{b}电讯服务有限公司", nullptr}, "通信网络建设与维护"},
    {"金融", {"{c}{b}投资管理有限公司", "{c}{b}金融服务有限公司", nullptr}, "投资管理、资产管理"},
    {"银行", {"{c}{b}银行股份有限公司", "{c}农村商业银行", nullptr}, "存贷款、结算、理财"},
    {"保险",
     {"{c}{b}保险代理有限公司", "{b}人寿保险股份有限公司{c}分公司", nullptr},
     "人寿保险、财产保险"},
    {"证券/基金",
     {"{b}证券有限责任公司{c}营业部", "{c}{b}基金管理有限公司", nullptr},
     "证券经纪、基金销售"},
    {"房地产", {"{c}{b}房地产开发有限公司", "{c}{b}置业有限公司", nullptr}, "房地产开发、物业管理"},
    {"建筑/工程",
     {"{c}{b}建设集团有限公司", "{c}{b}建筑工程有限公司", nullptr},
     "房屋建筑、市政工程施工"},
    {"制造业", {"{c}{b}实业有限公司", "{c}{b}制造有限公司", nullptr}, "产品生产与销售"},
    {"汽车",
     {"{c}{b}汽车销售服务有限公司", "{c}{b}汽车零部件有限公司", nullptr},
     "整车销售、维修保养"},
    {"机械设备",
     {"{c}{b}机械设备有限公司", "{c}{b}重工股份有限公司", nullptr},
     "工程机械、数控设备"},
    {"医疗卫生", {"{c}{b}医院", "{c}{b}医疗器械有限公司", nullptr}, "医疗服务、医疗器械"},
    {"医药", {"{c}{b}医药有限公司", "{c}{b}制药股份有限公司", nullptr}, "药品研发、生产与批发"},
    {"教育/培训", {"{c}{b}教育咨询有限公司", "{c}{b}培训学校", nullptr}, "职业培训、教育咨询"},
    {"政府机关", {"{c}商务局", "{c}发展和改革委员会", "{c}科学技术局"}, "行政管理"},
    {"事业单位", {"{c}广播电视台", "{c}{b}研究院", "{c}图书馆"}, "公共服务"},
    {"法律", {"{c}{b}律师事务所", nullptr, nullptr}, "诉讼代理、法律顾问"},
    {"咨询", {"{c}{b}管理咨询有限公司", nullptr, nullptr}, "企业管理咨询"},
    {"媒体/广告", {"{c}{b}广告有限公司", "{c}{b}文化传媒有限公司", nullptr}, "广告设计、媒体投放"},
    {"物流运输", {"{c}{b}物流有限公司", "{c}{b}运输有限公司", nullptr}, "仓储、运输、配送"},
    {"贸易/进出口", {"{c}{b}贸易有限公司", "{c}{b}进出口有限公司", nullptr}, "进出口贸易"},
    {"零售/批发", {"{c}{b}商贸有限公司", "{c}{b}超市有限公司", nullptr}, "日用品批发零售"},
    {"餐饮酒店", {"{c}{b}大酒店", "{c}{b}餐饮管理有限公司", nullptr}, "餐饮、住宿、会议"},
    {"旅游", {"{c}{b}国际旅行社有限公司", nullptr, nullptr}, "国内游、出境游、商务会展"},
    {"能源/电力", {"{c}{b}能源有限公司", "{c}{b}电力工程有限公司", nullptr}, "电力工程、新能源"},
    {"化工", {"{c}{b}化工有限公司", nullptr, nullptr}, "化工原料生产与销售"},
    {"农林牧渔",
     {"{c}{b}农业科技有限公司", "{c}{b}农牧有限公司", nullptr},
     "种植、养殖、农产品加工"},
    {"文化娱乐", {"{c}{b}文化发展有限公司", "{c}{b}影视有限公司", nullptr}, "文化活动、影视制作"},
};
const IndustryWords kOtherIndustry = {
    "", {"{c}{b}实业有限公司", "{c}{b}集团有限公司", "{c}{b}商贸有限公司"}, "综合经营"};

const IndustryWords& industryWords(const QString& industry) {
    for (const auto& words : kIndustries) {
        if (industry == QString::fromUtf8(words.industry))
            return words;
    }
    return kOtherIndustry;
}

const char* const kBranches[] = {"销售部", "市场部",     "技术部",     "研发中心", "财务部",
                                 "行政部", "人力资源部", "采购部",     "总经办",   "客服中心",
                                 "办公室", "生产部",     "质量管理部", "法务部",   "投资部"};
const char* const kCharges[] = {"华东区渠道销售", "大客户销售", "政府关系",   "采购审批",
                                "技术方案",       "项目管理",   "财务结算",   "市场推广",
                                "售后服务",       "招投标",     "供应链管理", "公司全面工作"};
const char* const kDistricts[] = {"高新区", "经济开发区", "中心区", "新区",   "东城区",
                                  "西城区", "南湖区",     "北苑区", "江北区", "开元区"};
const char* const kRoads[] = {"人民路", "解放路", "中山路", "建设路",   "和平路",
                              "新华路", "长江路", "黄河路", "科技路",   "学府路",
                              "文化路", "胜利路", "光明路", "迎宾大道", "世纪大道",
                              "金融街", "创业路", "青年路", "朝阳路",   "工业园路"};
const char* const kBuildings[] = {"国际商务中心", "科技大厦", "金融大厦", "创业园",
                                  "写字楼",       "广场",     "商务港",   "产业园"};
const char* const kRemarks[] = {
    "行业峰会上认识，为人爽快。", "老客户介绍，重视长期合作。", "喜欢直接沟通，讨厌绕弯子。",
    "决策人之一，需定期拜访。",   "校友，关系较好。",           "对价格比较敏感。",
    "注重服务质量，回款及时。",   "年底前有采购计划。",         "同乡，可多走动。"};
const char* const kHealth[] = {"良好", "健康", "一般", "高血压，注意饮食", "颈椎不好", "很好"};
const char* const kHobbies[] = {"钓鱼", "羽毛球", "书法", "摄影", "登山", "高尔夫",
                                "旅游", "读书",   "茶道", "游泳", "象棋", "乒乓球"};
const char* const kCigarettes[] = {"不吸烟", "中华", "玉溪", "芙蓉王", "黄鹤楼", "云烟", "利群"};
const char* const kDrinks[] = {"不喝酒", "茅台", "五粮液", "汾酒", "红酒", "啤酒", "洋酒"};
const char* const kDrinkAmounts[] = {"少量", "半斤", "一斤", "啤酒五六瓶", "不能喝"};
const char* const kTastes[] = {"川菜", "粤菜", "清淡", "偏辣", "湘菜", "海鲜", "素食", "面食"};
const char* const kHaunts[] = {"茶馆", "高尔夫球场", "健身房", "咖啡馆", "书店", "游泳馆"};
const char* const kTaboos[] = {"不吃辣",         "忌讳迟到",         "不喜欢应酬",
                               "回民，不吃猪肉", "不喜欢被打扰休息", "反感推销"};
const char* const kCars[] = {"自驾奥迪A6", "自驾别克",       "公司配车",
                             "不开车",     "自驾丰田凯美瑞", "自驾大众帕萨特"};
const char* const kSpecialities[] = {
    "计算机科学与技术", "工商管理",     "会计学",   "市场营销",  "法学",
    "机械工程",         "土木工程",     "临床医学", "国际贸易",  "金融学",
    "汉语言文学",       "电子信息工程", "化学工程", "新闻传播学"};
const char* const kColleges[] = {"{c}大学",     "{c}理工大学", "{c}师范大学",    "{c}财经学院",
                                 "{c}医科大学", "{c}工业大学", "{c}职业技术学院"};
const char* const kConcerns[] = {"子女升学", "职务晋升", "身体健康", "公司上市",
                                 "购买住房", "业务拓展", "父母养老", "出国深造"};
const char* const kAbroad[] = {"曾赴美国考察", "英国留学两年", "常去东南亚出差", "去过日本旅游",
                               "在德国工作过一年"};
const char* const kLiving[] = {"同住", "不同住", "未知"};
const char* const kPurposes[] = {"业务推广", "项目合作", "节日问候", "合同签订", "回款催收",
                                 "售后回访", "联络感情", "技术交流", "年度总结", "新品介绍"};
const char* const kGifts[] = {"茶叶两盒", "月饼", "购物卡", "红酒一箱", "土特产", "水果礼盒"};
const char* const kNextPlans[] = {"回访，确认合同细节", "送样品",      "邀请参加新品发布会",
                                  "催收货款",           "节日问候",    "商谈续约",
                                  "约请吃饭",           "提交技术方案"};

struct BusinessWords {
    const char* business;
    const char* contents[3];
};
const BusinessWords kContents[] = {
    {"拜访",
     {"上门拜访，介绍公司新产品，对方表示有兴趣", "拜访客户，了解今年采购计划",
      "登门拜访，听取对服务的意见"}},
    {"电话", {"电话沟通项目进度", "电话问候，约定下周见面", "电话确认订单数量"}},
    {"宴请", {"宴请对方及同事，气氛融洽", "请吃饭，聊了下半年合作", "家宴，关系更近一步"}},
    {"送礼", {"节日送礼，表示感谢", "生日送礼", "登门送土特产"}},
    {"会议", {"参加行业交流会，交换名片", "共同参加项目评审会", "年度合作伙伴大会"}},
    {"短信", {"短信节日问候", "短信提醒会议时间", "短信发送报价"}},
    {"邮件", {"邮件发送报价单", "邮件确认合同条款", "邮件发送资料"}},
    {"娱乐", {"一起打高尔夫球", "周末一起钓鱼", "请对方唱歌"}},
    {"商务洽谈",
     {"洽谈合作协议条款，初步达成意向", "价格谈判，对方要求降价五个点", "商谈年度框架协议"}},
};
const char* const kGenericContents[] = {"日常联系", "一般往来", "顺路看望"};

const char* const kRestaurants[] = {"{c}大酒店",  "{c}宾馆", "老字号茶楼", "海鲜酒楼",    "湘菜馆",
                                    "高尔夫球场", "咖啡厅",  "对方公司",   "我公司会议室"};

struct DocWords {
    const char* category;
    const char* title;
    const char* extension;
    const char* keywords;
};
const DocWords kDocs[] = {
    {"合同", "{u}{y}年采购合同", "pdf", "合同 采购"},
    {"名片", "{p}名片", "jpg", "名片"},
    {"照片", "与{p}合影({y})", "jpg", "照片 合影"},
    {"简历", "{p}个人简历", "docx", "简历"},
    {"往来函件", "致{u}的函({y})", "docx", "函件"},
    {"报价单", "{u}报价单{y}", "xlsx", "报价 价格"},
};
const DocWords kOtherDoc = {"", "{p}相关资料({y})", "pdf", "资料"};

const DocWords& docWords(const QString& category) {
    for (const auto& words : kDocs) {
        if (category == QString::fromUtf8(words.category))
            return words;
    }
    return kOtherDoc;
}

QString digits(SeededRandom& random, int count) {
    QString text;
    text.reserve(count);
    for (int i = 0; i < count; ++i)
        text += QChar(u'0' + int(random.below(10)));
    return text;
}

} // namespace

FakeData::PersonName FakeData::personName(bool male) {
    const Surname& s = kSurnames[random_.skewed(qint64(std::size(kSurnames)))];
    return {QString::fromUtf8(s.name), givenName(male), QString::fromUtf8(s.pinyin)};
}

QString FakeData::givenName(bool male) {
    QString given = male ? pickFrom(random_, kMaleChars) : pickFrom(random_, kFemaleChars);
    if (random_.chance(700))
        given += male ? pickFrom(random_, kMaleChars) : pickFrom(random_, kFemaleChars);
    return given;
}

QString FakeData::sex() {
    const qint64 r = random_.below(100);
    return QString::fromUtf8(r < 56 ? "男" : r < 98 ? "女" : "未知");
}

QString FakeData::married() {
    const qint64 r = random_.below(100);
    return QString::fromUtf8(r < 70   ? "已婚"
                             : r < 90 ? "未婚"
                             : r < 93 ? "离婚"
                             : r < 95 ? "再婚"
                                      : "未知");
}

QString FakeData::mobile() {
    static const char* const prefixes[] = {"130", "131", "132", "133", "135", "136", "137",
                                           "138", "139", "150", "151", "152", "158", "159",
                                           "177", "180", "181", "186", "187", "188", "189"};
    return pickFrom(random_, prefixes) + digits(random_, 8);
}

QString FakeData::landline(const QString& areaCode) {
    const int length = areaCode.size() <= 3 ? 8 : 7;
    return areaCode + u'-' + QString::number(random_.between(2, 8)) + digits(random_, length - 1);
}

QString FakeData::email(const QString& pinyin, const QString& companyDomain) {
    static const char* const domains[] = {"163.com", "qq.com", "126.com", "sina.com", "sohu.com"};
    const QString domain = !companyDomain.isEmpty() && random_.chance(400)
                               ? companyDomain
                               : pickFrom(random_, domains);
    return pinyin + QString::number(random_.between(1, 9999)) + u'@' + domain;
}

QString FakeData::instantMessenger() {
    return random_.chance(500)
               ? QStringLiteral("QQ:") + QString::number(random_.between(10000000, 2999999999))
               : QStringLiteral("微信:wx") + digits(random_, 8);
}

QString FakeData::bankAccount() {
    return QStringLiteral("6222") + digits(random_, 15);
}

QString FakeData::companyName(const QString& cityShort, const QString& industry,
                              QString* brandPinyin) {
    const IndustryWords& words = industryWords(industry);
    int templates = 0;
    while (templates < 3 && words.templates[templates])
        ++templates;
    const Brand& brand = kBrands[random_.below(qint64(std::size(kBrands)))];
    QString name = QString::fromUtf8(words.templates[random_.below(templates)]);
    name.replace(QStringLiteral("{c}"), cityShort);
    name.replace(QStringLiteral("{b}"), QString::fromUtf8(brand.name));
    if (brandPinyin)
        *brandPinyin = QString::fromUtf8(brand.pinyin);
    return name;
}

QString FakeData::mainBusiness(const QString& industry) {
    return QString::fromUtf8(industryWords(industry).mainBusiness);
}

QString FakeData::branch() {
    return pickFrom(random_, kBranches);
}
QString FakeData::charge() {
    return pickFrom(random_, kCharges);
}

QString FakeData::salary() {
    return random_.chance(250) ? QString::number(random_.between(4, 60) * 1000) : QString();
}

QString FakeData::capital() {
    static const char* const values[] = {"50万",   "100万",  "500万", "1000万",
                                         "3000万", "5000万", "1亿"};
    return pickFrom(random_, values);
}

QString FakeData::turnover() {
    static const char* const values[] = {"300万", "800万", "2000万", "5000万",
                                         "1.2亿", "3亿",   "10亿"};
    return pickFrom(random_, values);
}

QString FakeData::district() {
    return pickFrom(random_, kDistricts);
}

QString FakeData::street(const QString& city) {
    QString text = city + district() + pickFrom(random_, kRoads) +
                   QString::number(random_.between(1, 399)) + QStringLiteral("号");
    if (random_.chance(500))
        text += pickFrom(random_, kBuildings) + QString::number(random_.between(2, 28)) +
                QStringLiteral("层");
    return text;
}

QString FakeData::busRoute() {
    return QStringLiteral("乘%1路公交车到%2站下")
        .arg(random_.between(1, 399))
        .arg(pickFrom(random_, kRoads));
}

QString FakeData::remark() {
    return random_.chance(300) ? pickFrom(random_, kRemarks) : QString();
}

QString FakeData::health() {
    return pickFrom(random_, kHealth);
}
QString FakeData::hobby() {
    QString text = pickFrom(random_, kHobbies);
    if (random_.chance(400))
        text += u'、' + pickFrom(random_, kHobbies);
    return text;
}
QString FakeData::cigarette() {
    return pickFrom(random_, kCigarettes);
}
QString FakeData::drink() {
    return pickFrom(random_, kDrinks);
}
QString FakeData::drinkAmount() {
    return pickFrom(random_, kDrinkAmounts);
}
QString FakeData::taste() {
    return pickFrom(random_, kTastes);
}
QString FakeData::haunt() {
    return pickFrom(random_, kHaunts);
}
QString FakeData::taboo() {
    return random_.chance(300) ? pickFrom(random_, kTaboos) : QString();
}
QString FakeData::car() {
    return pickFrom(random_, kCars);
}
QString FakeData::speciality() {
    return pickFrom(random_, kSpecialities);
}

QString FakeData::college(const QString& cityShort) {
    QString text = pickFrom(random_, kColleges);
    text.replace(QStringLiteral("{c}"), cityShort);
    return text;
}

QString FakeData::looks() {
    static const char* const builds[] = {"偏瘦", "中等身材", "微胖", "结实"};
    QString text =
        QStringLiteral("身高%1cm，").arg(random_.between(155, 188)) + pickFrom(random_, builds);
    if (random_.chance(400))
        text += QStringLiteral("，戴眼镜");
    return text;
}

QString FakeData::concern() {
    return pickFrom(random_, kConcerns);
}
QString FakeData::abroad() {
    return random_.chance(200) ? pickFrom(random_, kAbroad) : QString();
}

QString FakeData::childGrade(int age) {
    static const char* const numbers[] = {"一", "二", "三", "四", "五", "六"};
    if (age < 6)
        return QStringLiteral("幼儿园");
    if (age < 12)
        return QStringLiteral("小学%1年级").arg(QString::fromUtf8(numbers[age - 6]));
    if (age < 15)
        return QStringLiteral("初%1").arg(QString::fromUtf8(numbers[age - 12]));
    if (age < 18)
        return QStringLiteral("高%1").arg(QString::fromUtf8(numbers[age - 15]));
    if (age < 22)
        return QStringLiteral("大%1").arg(QString::fromUtf8(numbers[age - 18]));
    return QStringLiteral("工作%1年").arg(age - 21);
}

QString FakeData::childSchool(int age, const QString& cityShort) {
    if (age < 6)
        return cityShort + QStringLiteral("实验幼儿园");
    if (age < 12)
        return cityShort + QStringLiteral("实验小学");
    if (age < 18)
        return cityShort + QStringLiteral("第%1中学").arg(random_.between(1, 12));
    if (age < 22)
        return college(cityShort);
    return QString();
}

QString FakeData::livesWithParents() {
    return pickFrom(random_, kLiving);
}

QString FakeData::interactionContent(const QString& business) {
    for (const auto& words : kContents) {
        if (business == QString::fromUtf8(words.business))
            return QString::fromUtf8(words.contents[random_.below(3)]);
    }
    return pickFrom(random_, kGenericContents);
}

QString FakeData::purpose() {
    return pickFrom(random_, kPurposes);
}

QString FakeData::place(const QString& business, const QString& cityShort) {
    if (business == u"电话" || business == u"短信" || business == u"邮件")
        return QString();
    QString text = pickFrom(random_, kRestaurants);
    text.replace(QStringLiteral("{c}"), cityShort);
    return text;
}

QString FakeData::gift(const QString& business) {
    const int permille = business == u"送礼" ? 1000 : 50;
    return random_.chance(permille) ? pickFrom(random_, kGifts) : QString();
}

QString FakeData::nextPlan() {
    return pickFrom(random_, kNextPlans);
}

QString FakeData::documentTitle(const QString& category, const QString& person,
                                const QString& company, int year) {
    QString text = QString::fromUtf8(docWords(category).title);
    text.replace(QStringLiteral("{p}"), person);
    text.replace(QStringLiteral("{u}"), company);
    text.replace(QStringLiteral("{y}"), QString::number(year));
    return text;
}

QString FakeData::documentExtension(const QString& category) {
    return QString::fromUtf8(docWords(category).extension);
}

QString FakeData::keywords(const QString& category) {
    return QString::fromUtf8(docWords(category).keywords);
}

QDate FakeData::dateBetween(const QDate& from, const QDate& to) {
    const qint64 days = from.daysTo(to);
    return days <= 0 ? from : from.addDays(random_.between(0, days));
}

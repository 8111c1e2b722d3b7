-- SPDX-License-Identifier: GPL-3.0-or-later
-- Tables of the delivered database. The program never creates or alters a table:
-- mavor-admin initdb runs this file and seed.sql into a new file.
PRAGMA journal_mode = WAL;

CREATE TABLE dep (
  dep_code INTEGER PRIMARY KEY AUTOINCREMENT,
  dep_name TEXT NOT NULL DEFAULT ''
);

CREATE TABLE userlogin (
  user_code INTEGER PRIMARY KEY AUTOINCREMENT,
  user_name TEXT NOT NULL DEFAULT '',
  user_pwd TEXT NOT NULL DEFAULT '',
  user_dep_code INTEGER,
  user_dep_mng TEXT DEFAULT '0',
  user_grade INTEGER DEFAULT 0,
  user_lastlogin TEXT DEFAULT ''
);
CREATE INDEX idx_userlogin_name ON userlogin(user_name);
CREATE INDEX idx_userlogin_dep ON userlogin(user_dep_code);

CREATE TABLE province (
  province_code INTEGER PRIMARY KEY AUTOINCREMENT,
  province_name TEXT
);
CREATE INDEX idx_province_name ON province(province_name);

CREATE TABLE city (
  city_code INTEGER PRIMARY KEY AUTOINCREMENT,
  city_name TEXT,
  city_province_code INTEGER,
  city_area_code TEXT,
  city_zip TEXT
);
CREATE INDEX idx_city_name ON city(city_name);
CREATE INDEX idx_city_province ON city(city_province_code);

CREATE TABLE region (
  region_code INTEGER PRIMARY KEY AUTOINCREMENT,
  region_name TEXT
);
CREATE INDEX idx_region_name ON region(region_name);

CREATE TABLE industry (
  industry_code INTEGER PRIMARY KEY AUTOINCREMENT,
  industry_name TEXT
);
CREATE INDEX idx_industry_name ON industry(industry_name);

CREATE TABLE duty (
  duty_code INTEGER PRIMARY KEY AUTOINCREMENT,
  duty_name TEXT,
  duty_value INTEGER DEFAULT 0
);
CREATE INDEX idx_duty_name ON duty(duty_name);

CREATE TABLE sort (
  sort_code INTEGER PRIMARY KEY AUTOINCREMENT,
  sort_name TEXT,
  sort_value INTEGER DEFAULT 0,
  sort_frequence INTEGER DEFAULT 0
);
CREATE INDEX idx_sort_name ON sort(sort_name);

CREATE TABLE relationsort (
  relationsort_code INTEGER PRIMARY KEY AUTOINCREMENT,
  relationsort_name TEXT
);
CREATE INDEX idx_relationsort_name ON relationsort(relationsort_name);

CREATE TABLE degree (
  degree_code INTEGER PRIMARY KEY AUTOINCREMENT,
  degree_name TEXT
);

CREATE TABLE business (
  business_code INTEGER PRIMARY KEY AUTOINCREMENT,
  business_name TEXT
);

CREATE TABLE docsort (
  docsort_code INTEGER PRIMARY KEY AUTOINCREMENT,
  docsort_name TEXT
);

CREATE TABLE datumsort (
  datumsort_code INTEGER PRIMARY KEY AUTOINCREMENT,
  datumsort_name TEXT
);

CREATE TABLE assosort (
  assosort_code INTEGER PRIMARY KEY AUTOINCREMENT,
  assosort_name TEXT
);

CREATE TABLE societysitesort (
  societysitesort_code INTEGER PRIMARY KEY AUTOINCREMENT,
  societysitesort_name TEXT
);

CREATE TABLE societyrelationsort (
  societyrelationsort_code INTEGER PRIMARY KEY AUTOINCREMENT,
  societyrelationsort_name TEXT
);

CREATE TABLE feast (
  feast_code INTEGER PRIMARY KEY AUTOINCREMENT,
  feast_name TEXT,
  feast_month TEXT,
  feast_day TEXT
);

CREATE TABLE base (
  base_code INTEGER PRIMARY KEY AUTOINCREMENT,
  base_name TEXT,
  base_sex TEXT,
  base_year TEXT,
  base_month TEXT,
  base_day TEXT,
  base_married TEXT,
  base_id TEXT,
  base_mobil TEXT,
  base_phone TEXT,
  base_email TEXT,
  base_contact TEXT,
  base_province_code INTEGER,
  base_city TEXT,
  base_country TEXT,
  base_nation TEXT,
  base_experience TEXT,
  base_sort_code INTEGER,
  base_type_code INTEGER,
  base_user_code INTEGER,
  base_user_dep_code INTEGER,
  base_invalid_flag INTEGER DEFAULT 1,
  base_create_date TEXT,
  base_lastmodi_date TEXT,
  base_visit_num INTEGER DEFAULT 0,
  work_name TEXT,
  work_address TEXT,
  work_branch_name TEXT,
  work_duty_code INTEGER,
  work_salary TEXT,
  work_phone TEXT,
  work_fax TEXT,
  work_industry_code INTEGER,
  work_website TEXT,
  work_region_code INTEGER,
  work_province_code INTEGER,
  work_city TEXT,
  work_zip TEXT,
  work_areacode TEXT,
  work_bus TEXT,
  work_artificial TEXT,
  work_regbank TEXT,
  work_turnover TEXT,
  work_bankaccount TEXT,
  work_mainbusiness TEXT,
  work_mainclient TEXT,
  work_fellowship TEXT,
  work_compete TEXT,
  work_charge TEXT,
  work_leader_name TEXT,
  work_leader_sex TEXT,
  work_leader_mobil TEXT,
  work_leader_phone TEXT,
  work_leader_duty_code INTEGER,
  work_superior_name TEXT,
  work_superior_sex TEXT,
  work_superior_mobil TEXT,
  work_superior_phone TEXT,
  work_superior_duty_code INTEGER
);
CREATE INDEX idx_base_name ON base(base_name);
CREATE INDEX idx_base_work_name ON base(work_name);
CREATE INDEX idx_base_user ON base(base_user_code, base_invalid_flag);
CREATE INDEX idx_base_dep ON base(base_user_dep_code);
CREATE INDEX idx_base_invalid ON base(base_invalid_flag);
CREATE INDEX idx_base_sort ON base(base_sort_code);
CREATE INDEX idx_base_type ON base(base_type_code);
CREATE INDEX idx_base_province ON base(base_province_code);
CREATE INDEX idx_base_work_duty ON base(work_duty_code);
CREATE INDEX idx_base_work_industry ON base(work_industry_code);
CREATE INDEX idx_base_work_region ON base(work_region_code);
CREATE INDEX idx_base_work_province ON base(work_province_code);
CREATE INDEX idx_base_leader_duty ON base(work_leader_duty_code);
CREATE INDEX idx_base_superior_duty ON base(work_superior_duty_code);
CREATE INDEX idx_base_birthday ON base(base_month, base_day);

CREATE TABLE home (
  home_base_code INTEGER PRIMARY KEY,
  home_name TEXT,
  home_year TEXT,
  home_month TEXT,
  home_day TEXT,
  home_health TEXT,
  home_work_name TEXT,
  home_branch_name TEXT,
  home_duty_code INTEGER,
  home_mobil TEXT,
  home_email TEXT,
  home_contact TEXT,
  home_province_code INTEGER,
  home_city TEXT,
  home_country TEXT,
  home_nation TEXT,
  home_workphone TEXT,
  home_child_name TEXT,
  home_child_sex TEXT,
  home_child_year TEXT,
  home_child_month TEXT,
  home_child_day TEXT,
  home_child_grade TEXT,
  home_child_school TEXT,
  home_child_health TEXT,
  home_address TEXT,
  home_phone TEXT,
  home_live TEXT,
  home_marryyear TEXT,
  home_marrymonth TEXT,
  home_marryday TEXT,
  home_hobby TEXT
);
CREATE INDEX idx_home_duty ON home(home_duty_code);
CREATE INDEX idx_home_province ON home(home_province_code);

CREATE TABLE society (
  society_base_code INTEGER PRIMARY KEY,
  society_cigarette TEXT,
  society_drink TEXT,
  society_drinknum TEXT,
  society_eat TEXT,
  society_site TEXT,
  society_hobby TEXT,
  society_afraid TEXT,
  society_car TEXT
);

CREATE TABLE extend (
  extend_base_code INTEGER PRIMARY KEY,
  extend_degree_code INTEGER,
  extend_speciality TEXT,
  extend_gradyear TEXT,
  extend_gradmonth TEXT,
  extend_gradday TEXT,
  extend_college TEXT,
  extend_drive TEXT,
  extend_health TEXT,
  extend_hope TEXT,
  extend_abroad TEXT
);
CREATE INDEX idx_extend_degree ON extend(extend_degree_code);

CREATE TABLE asso (
  asso_code INTEGER PRIMARY KEY AUTOINCREMENT,
  asso_base_code INTEGER,
  asso_name TEXT,
  asso_sortname TEXT,
  asso_company TEXT,
  asso_duty_code INTEGER,
  asso_industry_code INTEGER,
  asso_comment TEXT,
  asso_relation_code INTEGER,
  asso_assosort_code INTEGER
);
CREATE INDEX idx_asso_base ON asso(asso_base_code);
CREATE INDEX idx_asso_duty ON asso(asso_duty_code);
CREATE INDEX idx_asso_industry ON asso(asso_industry_code);
CREATE INDEX idx_asso_assosort ON asso(asso_assosort_code);

-- comm_date holds an ISO date (YYYY-MM-DD) so text order is date order.
CREATE TABLE comm (
  comm_code INTEGER PRIMARY KEY AUTOINCREMENT,
  comm_base_code INTEGER,
  comm_year TEXT,
  comm_month TEXT,
  comm_day TEXT,
  comm_clock TEXT,
  comm_minute TEXT,
  comm_date DATE,
  comm_business_code INTEGER,
  comm_content TEXT,
  comm_spent TEXT,
  comm_cost TEXT,
  comm_tran TEXT,
  comm_gift TEXT,
  comm_reason TEXT,
  comm_place TEXT,
  comm_client TEXT,
  comm_myjoin TEXT,
  comm_next_year TEXT,
  comm_next_month TEXT,
  comm_next_day TEXT,
  comm_next_clock TEXT,
  comm_next_minute TEXT,
  comm_next_business_code INTEGER,
  comm_next_content TEXT
);
CREATE INDEX idx_comm_base_date ON comm(comm_base_code, comm_date);
CREATE INDEX idx_comm_date ON comm(comm_date);
CREATE INDEX idx_comm_business ON comm(comm_business_code);
CREATE INDEX idx_comm_next_business ON comm(comm_next_business_code);
CREATE INDEX idx_comm_next_date ON comm(comm_next_year, comm_next_month, comm_next_day);

CREATE TABLE tmptrans (
  tmptrans_base_code INTEGER,
  tmptrans_type TEXT,
  tmptrans_user_code INTEGER
);
CREATE INDEX idx_tmptrans_user ON tmptrans(tmptrans_user_code, tmptrans_type);
CREATE INDEX idx_tmptrans_base ON tmptrans(tmptrans_base_code);

CREATE TABLE doc (
  doc_code INTEGER PRIMARY KEY AUTOINCREMENT,
  doc_base_code INTEGER,
  doc_docsort_code INTEGER,
  doc_date TEXT,
  doc_hour TEXT,
  doc_minute TEXT,
  doc_title TEXT,
  doc_keyword TEXT,
  doc_descript TEXT,
  doc_filename TEXT,
  doc_file TEXT
);
CREATE INDEX idx_doc_base ON doc(doc_base_code);
CREATE INDEX idx_doc_docsort ON doc(doc_docsort_code, doc_title);

CREATE TABLE datum (
  datum_code INTEGER PRIMARY KEY AUTOINCREMENT,
  datum_user_code INTEGER,
  datum_datumsort_code INTEGER,
  datum_date TEXT,
  datum_hour TEXT,
  datum_minute TEXT,
  datum_title TEXT,
  datum_keyword TEXT,
  datum_descript TEXT,
  datum_filename TEXT,
  datum_file TEXT
);
CREATE INDEX idx_datum_user ON datum(datum_user_code);
CREATE INDEX idx_datum_datumsort ON datum(datum_datumsort_code);

CREATE TABLE societysite (
  societysite_code INTEGER PRIMARY KEY AUTOINCREMENT,
  societysite_sort_code INTEGER,
  societysite_duty_code INTEGER,
  societysite_user_code INTEGER,
  societysite_title TEXT,
  societysite_address TEXT,
  societysite_phone TEXT,
  societysite_name TEXT,
  societysite_mobil TEXT,
  societysite_fax TEXT,
  societysite_price TEXT,
  societysite_memo TEXT
);
CREATE INDEX idx_societysite_sort ON societysite(societysite_sort_code);
CREATE INDEX idx_societysite_duty ON societysite(societysite_duty_code);

CREATE TABLE smssend (
  smssend_code INTEGER PRIMARY KEY AUTOINCREMENT,
  smssend_base_code INTEGER,
  smssend_date TEXT,
  smssend_time TEXT,
  smssend_mobile TEXT,
  smssend_name TEXT,
  smssend_company TEXT,
  smssend_content TEXT,
  smssend_status INTEGER DEFAULT 0
);
CREATE INDEX idx_smssend_order ON smssend(smssend_date, smssend_time);

CREATE TABLE smsrecv (
  smsrecv_code INTEGER PRIMARY KEY AUTOINCREMENT,
  smsrecv_date TEXT,
  smsrecv_time TEXT,
  smsrecv_mobile TEXT,
  smsrecv_name TEXT,
  smsrecv_content TEXT
);
CREATE INDEX idx_smsrecv_order ON smsrecv(smsrecv_date, smsrecv_time);

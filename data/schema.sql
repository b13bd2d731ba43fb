-- The configuration store delivered beside the program as Q36DataBase.mdb (SQLite 3).
-- The program opens this file and only reads rows and updates columns: the row sets below are
-- fixed, and the triggers refuse anything that would add, remove or re-key a row.
--
-- Column kinds: TEXT columns hold texts; BOOLEAN columns hold 1 or 0 (read as "True"/"False");
-- REAL columns hold frequencies in MHz. The program applies the conversion rules itself; the
-- CHECK constraints keep any other writer to the same forms. Every non-key value is overwritten
-- by the band reset at each start, so the values below are only a consistent first state
-- (band 400-440, Chinese words).

BEGIN;

CREATE TABLE CHANNELTABLE (
  CHANNELNO   TEXT NOT NULL PRIMARY KEY,
  ENABLED     BOOLEAN CONSTRAINT ENABLED_is_boolean CHECK (ENABLED IN (0, 1)),
  VOX         BOOLEAN CONSTRAINT VOX_is_boolean CHECK (VOX IN (0, 1)),
  FTX         REAL CONSTRAINT FTX_is_number CHECK (typeof(FTX) IN ('real', 'null')),
  FTONE       TEXT,
  SDATA       TEXT,
  TXPOWER     TEXT,
  REFREQUENCY REAL CONSTRAINT REFREQUENCY_is_number CHECK (typeof(REFREQUENCY) IN ('real', 'null')),
  RETONE      TEXT,
  REDATA      TEXT,
  LEVEL       TEXT,
  BW          TEXT,
  ADDSCAN     TEXT,
  BUSY        TEXT
);

CREATE TABLE PARAMETABLE (
  AVISET        TEXT,
  AVIMODE       TEXT,
  TOPSET        TEXT,
  LOWALARM      TEXT,
  LOWBAN        TEXT,
  POWERPRESS    TEXT,
  KEYAPRESS     TEXT,
  KEYBPRESS     TEXT,
  TEMCONTROL    BOOLEAN CONSTRAINT TEMCONTROL_is_boolean CHECK (TEMCONTROL IN (0, 1)),
  KEYENABLED    BOOLEAN CONSTRAINT KEYENABLED_is_boolean CHECK (KEYENABLED IN (0, 1)),
  SCANPAUSE     TEXT,
  SCANRESTAR    TEXT,
  LOSTTIME      TEXT,
  SCANCHANSEL   TEXT,
  SCANPAUSESEL  TEXT,
  HIGHTRANPOWER TEXT,
  MIDTRANPOWER  TEXT,
  LOWTRANPOWER  TEXT
);

CREATE TABLE SCANTABLE (
  LIST TEXT NOT NULL PRIMARY KEY,
  [01] TEXT,
  [02] TEXT,
  [03] TEXT,
  [04] TEXT,
  [05] TEXT,
  [06] TEXT,
  [07] TEXT,
  [08] TEXT,
  [09] TEXT,
  [10] TEXT,
  [11] TEXT,
  [12] TEXT,
  [13] TEXT,
  [14] TEXT,
  [15] TEXT,
  [16] TEXT
);

INSERT INTO CHANNELTABLE VALUES ('01', 1, 1, 400.0, 'NULL', '', '高', 440.0, 'NULL', '', '4', '宽', '不添加', '关');
INSERT INTO CHANNELTABLE VALUES ('02', 1, 1, 400.0, 'NULL', '', '高', 440.0, 'NULL', '', '4', '宽', '不添加', '关');
INSERT INTO CHANNELTABLE VALUES ('03', 1, 1, 400.0, 'NULL', '', '高', 440.0, 'NULL', '', '4', '宽', '不添加', '关');
INSERT INTO CHANNELTABLE VALUES ('04', 1, 1, 400.0, 'NULL', '', '高', 440.0, 'NULL', '', '4', '宽', '不添加', '关');
INSERT INTO CHANNELTABLE VALUES ('05', 1, 1, 400.0, 'NULL', '', '高', 440.0, 'NULL', '', '4', '宽', '不添加', '关');
INSERT INTO CHANNELTABLE VALUES ('06', 1, 1, 400.0, 'NULL', '', '高', 440.0, 'NULL', '', '4', '宽', '不添加', '关');
INSERT INTO CHANNELTABLE VALUES ('07', 1, 1, 400.0, 'NULL', '', '高', 440.0, 'NULL', '', '4', '宽', '不添加', '关');
INSERT INTO CHANNELTABLE VALUES ('08', 1, 1, 400.0, 'NULL', '', '高', 440.0, 'NULL', '', '4', '宽', '不添加', '关');
INSERT INTO CHANNELTABLE VALUES ('09', 1, 1, 400.0, 'NULL', '', '高', 440.0, 'NULL', '', '4', '宽', '不添加', '关');
INSERT INTO CHANNELTABLE VALUES ('10', 1, 1, 400.0, 'NULL', '', '高', 440.0, 'NULL', '', '4', '宽', '不添加', '关');
INSERT INTO CHANNELTABLE VALUES ('11', 1, 1, 400.0, 'NULL', '', '高', 440.0, 'NULL', '', '4', '宽', '不添加', '关');
INSERT INTO CHANNELTABLE VALUES ('12', 1, 1, 400.0, 'NULL', '', '高', 440.0, 'NULL', '', '4', '宽', '不添加', '关');
INSERT INTO CHANNELTABLE VALUES ('13', 1, 1, 400.0, 'NULL', '', '高', 440.0, 'NULL', '', '4', '宽', '不添加', '关');
INSERT INTO CHANNELTABLE VALUES ('14', 1, 1, 400.0, 'NULL', '', '高', 440.0, 'NULL', '', '4', '宽', '不添加', '关');
INSERT INTO CHANNELTABLE VALUES ('15', 1, 1, 400.0, 'NULL', '', '高', 440.0, 'NULL', '', '4', '宽', '不添加', '关');
INSERT INTO CHANNELTABLE VALUES ('16', 1, 1, 400.0, 'NULL', '', '高', 440.0, 'NULL', '', '4', '宽', '不添加', '关');
INSERT INTO CHANNELTABLE VALUES ('17', 1, 1, 400.0, 'NULL', '', '高', 440.0, 'NULL', '', '4', '宽', '不添加', '关');
INSERT INTO CHANNELTABLE VALUES ('18', 1, 1, 400.0, 'NULL', '', '高', 440.0, 'NULL', '', '4', '宽', '不添加', '关');
INSERT INTO CHANNELTABLE VALUES ('19', 1, 1, 400.0, 'NULL', '', '高', 440.0, 'NULL', '', '4', '宽', '不添加', '关');
INSERT INTO CHANNELTABLE VALUES ('20', 1, 1, 400.0, 'NULL', '', '高', 440.0, 'NULL', '', '4', '宽', '不添加', '关');
INSERT INTO CHANNELTABLE VALUES ('21', 1, 1, 400.0, 'NULL', '', '高', 440.0, 'NULL', '', '4', '宽', '不添加', '关');
INSERT INTO CHANNELTABLE VALUES ('22', 1, 1, 400.0, 'NULL', '', '高', 440.0, 'NULL', '', '4', '宽', '不添加', '关');
INSERT INTO CHANNELTABLE VALUES ('23', 1, 1, 400.0, 'NULL', '', '高', 440.0, 'NULL', '', '4', '宽', '不添加', '关');
INSERT INTO CHANNELTABLE VALUES ('24', 1, 1, 400.0, 'NULL', '', '高', 440.0, 'NULL', '', '4', '宽', '不添加', '关');

INSERT INTO PARAMETABLE VALUES ('', '关闭', '60', '6.8V', '6.6V', '关', '监听', '扫描', 0, 0, '载波',
  '信号消失...', '8', '扫描前工作信道', '扫描前工作信道', '', '', '');

INSERT INTO SCANTABLE VALUES ('1', 'NULL', 'NULL', 'NULL', 'NULL', 'NULL', 'NULL', 'NULL', 'NULL', 'NULL', 'NULL', 'NULL', 'NULL', 'NULL', 'NULL', 'NULL', 'NULL');
INSERT INTO SCANTABLE VALUES ('2', 'NULL', 'NULL', 'NULL', 'NULL', 'NULL', 'NULL', 'NULL', 'NULL', 'NULL', 'NULL', 'NULL', 'NULL', 'NULL', 'NULL', 'NULL', 'NULL');
INSERT INTO SCANTABLE VALUES ('3', 'NULL', 'NULL', 'NULL', 'NULL', 'NULL', 'NULL', 'NULL', 'NULL', 'NULL', 'NULL', 'NULL', 'NULL', 'NULL', 'NULL', 'NULL', 'NULL');
INSERT INTO SCANTABLE VALUES ('4', 'NULL', 'NULL', 'NULL', 'NULL', 'NULL', 'NULL', 'NULL', 'NULL', 'NULL', 'NULL', 'NULL', 'NULL', 'NULL', 'NULL', 'NULL', 'NULL');
INSERT INTO SCANTABLE VALUES ('5', 'NULL', 'NULL', 'NULL', 'NULL', 'NULL', 'NULL', 'NULL', 'NULL', 'NULL', 'NULL', 'NULL', 'NULL', 'NULL', 'NULL', 'NULL', 'NULL');

CREATE TRIGGER CHANNELTABLE_no_insert BEFORE INSERT ON CHANNELTABLE
  BEGIN SELECT RAISE(ABORT, 'CHANNELTABLE holds a fixed set of rows'); END;
CREATE TRIGGER CHANNELTABLE_no_delete BEFORE DELETE ON CHANNELTABLE
  BEGIN SELECT RAISE(ABORT, 'CHANNELTABLE holds a fixed set of rows'); END;
CREATE TRIGGER CHANNELTABLE_fixed_key BEFORE UPDATE OF CHANNELNO ON CHANNELTABLE
  WHEN NEW.CHANNELNO IS NOT OLD.CHANNELNO
  BEGIN SELECT RAISE(ABORT, 'CHANNELTABLE.CHANNELNO cannot be changed'); END;

CREATE TRIGGER PARAMETABLE_no_insert BEFORE INSERT ON PARAMETABLE
  BEGIN SELECT RAISE(ABORT, 'PARAMETABLE holds a fixed set of rows'); END;
CREATE TRIGGER PARAMETABLE_no_delete BEFORE DELETE ON PARAMETABLE
  BEGIN SELECT RAISE(ABORT, 'PARAMETABLE holds a fixed set of rows'); END;

CREATE TRIGGER SCANTABLE_no_insert BEFORE INSERT ON SCANTABLE
  BEGIN SELECT RAISE(ABORT, 'SCANTABLE holds a fixed set of rows'); END;
CREATE TRIGGER SCANTABLE_no_delete BEFORE DELETE ON SCANTABLE
  BEGIN SELECT RAISE(ABORT, 'SCANTABLE holds a fixed set of rows'); END;
CREATE TRIGGER SCANTABLE_fixed_key BEFORE UPDATE OF LIST ON SCANTABLE
  WHEN NEW.LIST IS NOT OLD.LIST
  BEGIN SELECT RAISE(ABORT, 'SCANTABLE.LIST cannot be changed'); END;

COMMIT;

-- =============================================================================================
-- Company database schema: the tables of the accounting suite's company database that the
-- periodic-invoicing module reads and writes, on PostgreSQL.
--
-- Loaded by scripts/dbsetup.sh as the database owner (role obdrac), before a seed file
-- (demo.sql, demo2.sql).
--
-- Conventions
--   * Identifiers are written unquoted; PostgreSQL folds them to lower case, so the program's
--     SQL may spell them in any case (KLJUC, Kljuc, kljuc).
--   * text(n) -> varchar(n); memo -> text; blob -> bytea; 16-bit integer -> smallint;
--     floating (quantities, percentages, rates) -> double precision;
--     money amounts (prices, values, totals, excise per unit) -> numeric(19,4);
--     date-time -> timestamp(3) (millisecond precision, as the program's date-time values).
--   * Flags kept in text columns are 'T' and 'F'.
--   * Every table carries the audit columns DatumZap/UserZap (creation) and
--     DatumSpre/UserSpre (last change). The program stamps them itself; the defaults only
--     serve rows written without them (the document runs write UserZap/UserSpre only).
--   * No foreign keys: the document runs send a document's lines before its header, and the
--     suite's other modules rely on the same freedom.
--   * Text columns are nullable, as in the suite's database; the program writes '' for empty
--     texts and NULL for empty dates.
--   * One column name is a reserved word in PostgreSQL: Subjekt.Limit. It is created as the
--     quoted lower-case name "limit"; SQL that names it must quote it ("limit") here.
--   * Names that users sort by (partners, items, business events, ...) use the Slovenian
--     collation "slovenian" (č after c, š after s, ž after z).
-- =============================================================================================

SET client_min_messages = warning;

-- ---------------------------------------------------------------------------------------------
-- Slovenian collation for name columns: ICU when the server has it, the C library's sl_SI
-- otherwise, and plain byte order as the last resort (so the schema always loads).
-- ---------------------------------------------------------------------------------------------
DO $$
BEGIN
  IF EXISTS (SELECT 1 FROM pg_collation WHERE collname = 'slovenian'
             AND collnamespace = 'public'::regnamespace) THEN
    RETURN;
  END IF;
  IF EXISTS (SELECT 1 FROM pg_collation WHERE collname = 'sl-x-icu') THEN
    EXECUTE 'CREATE COLLATION public.slovenian FROM "sl-x-icu"';
  ELSIF EXISTS (SELECT 1 FROM pg_collation WHERE collname = 'sl_SI.utf8') THEN
    EXECUTE 'CREATE COLLATION public.slovenian FROM "sl_SI.utf8"';
  ELSE
    EXECUTE 'CREATE COLLATION public.slovenian FROM "C"';
  END IF;
END
$$;

-- ---------------------------------------------------------------------------------------------
-- Date arithmetic as the suite's SQL writes it: a date-time plus (or minus) a number adds
-- (subtracts) that many days, so that conditions like
--     G.DatZadFak + G.Periodika <= '2003/03/31'
-- run unchanged. A NULL on either side gives NULL (the functions are STRICT).
-- No COMMUTATOR: declaring one would leave a broken shell operator integer + timestamp.
-- ---------------------------------------------------------------------------------------------
CREATE FUNCTION timestamp_add_days(ts timestamp, days integer) RETURNS timestamp
  LANGUAGE sql IMMUTABLE STRICT PARALLEL SAFE
  AS 'SELECT ts + make_interval(days => days)';
CREATE FUNCTION timestamp_add_days(ts timestamp, days smallint) RETURNS timestamp
  LANGUAGE sql IMMUTABLE STRICT PARALLEL SAFE
  AS 'SELECT ts + make_interval(days => days::integer)';
CREATE FUNCTION timestamp_add_days(ts timestamp, days bigint) RETURNS timestamp
  LANGUAGE sql IMMUTABLE STRICT PARALLEL SAFE
  AS 'SELECT ts + make_interval(days => days::integer)';
-- fractional days count as parts of a day (1.5 adds 36 hours)
CREATE FUNCTION timestamp_add_days(ts timestamp, days numeric) RETURNS timestamp
  LANGUAGE sql IMMUTABLE STRICT PARALLEL SAFE
  AS 'SELECT ts + days::double precision * interval ''1 day''';
CREATE FUNCTION timestamp_add_days(ts timestamp, days double precision) RETURNS timestamp
  LANGUAGE sql IMMUTABLE STRICT PARALLEL SAFE
  AS 'SELECT ts + days * interval ''1 day''';

CREATE FUNCTION timestamp_sub_days(ts timestamp, days integer) RETURNS timestamp
  LANGUAGE sql IMMUTABLE STRICT PARALLEL SAFE
  AS 'SELECT ts - make_interval(days => days)';
CREATE FUNCTION timestamp_sub_days(ts timestamp, days smallint) RETURNS timestamp
  LANGUAGE sql IMMUTABLE STRICT PARALLEL SAFE
  AS 'SELECT ts - make_interval(days => days::integer)';
CREATE FUNCTION timestamp_sub_days(ts timestamp, days bigint) RETURNS timestamp
  LANGUAGE sql IMMUTABLE STRICT PARALLEL SAFE
  AS 'SELECT ts - make_interval(days => days::integer)';
CREATE FUNCTION timestamp_sub_days(ts timestamp, days numeric) RETURNS timestamp
  LANGUAGE sql IMMUTABLE STRICT PARALLEL SAFE
  AS 'SELECT ts - days::double precision * interval ''1 day''';
CREATE FUNCTION timestamp_sub_days(ts timestamp, days double precision) RETURNS timestamp
  LANGUAGE sql IMMUTABLE STRICT PARALLEL SAFE
  AS 'SELECT ts - days * interval ''1 day''';

CREATE OPERATOR + (LEFTARG = timestamp, RIGHTARG = integer,          FUNCTION = timestamp_add_days);
CREATE OPERATOR + (LEFTARG = timestamp, RIGHTARG = smallint,         FUNCTION = timestamp_add_days);
CREATE OPERATOR + (LEFTARG = timestamp, RIGHTARG = bigint,           FUNCTION = timestamp_add_days);
CREATE OPERATOR + (LEFTARG = timestamp, RIGHTARG = numeric,          FUNCTION = timestamp_add_days);
CREATE OPERATOR + (LEFTARG = timestamp, RIGHTARG = double precision, FUNCTION = timestamp_add_days);
CREATE OPERATOR - (LEFTARG = timestamp, RIGHTARG = integer,          FUNCTION = timestamp_sub_days);
CREATE OPERATOR - (LEFTARG = timestamp, RIGHTARG = smallint,         FUNCTION = timestamp_sub_days);
CREATE OPERATOR - (LEFTARG = timestamp, RIGHTARG = bigint,           FUNCTION = timestamp_sub_days);
CREATE OPERATOR - (LEFTARG = timestamp, RIGHTARG = numeric,          FUNCTION = timestamp_sub_days);
CREATE OPERATOR - (LEFTARG = timestamp, RIGHTARG = double precision, FUNCTION = timestamp_sub_days);


-- =============================================================================================
-- Company parameters: one row. Columns in the suite's declared order (SELECT * FROM Param
-- returns them so); text without a stated size is 20 characters.
-- =============================================================================================
CREATE TABLE Param (
  GKZACSTANJE        timestamp(3),
  GKKONTOKUP         varchar(8),
  GKKONTODOB         varchar(8),
  BANKASLOVENIJE     varchar(30),        -- bank of the exchange rates for documents
  BANKACENIK         varchar(30),        -- bank of the exchange rates for price lists
  ROUNDT             double precision,   -- money rounding step; 0 means 1
  NASAVALUTA         varchar(3),         -- home currency
  TSBREZDAVKA        varchar(2) NOT NULL,-- tax code meaning "no tax"; key of the row
  DATUMSPRE          timestamp(3) DEFAULT LOCALTIMESTAMP(0),
  USERSPRE           varchar(2),
  NAROCDNIZAVELJ     smallint,           -- validity of an order in days
  NASEPODJETJE       varchar(30),
  NEPSTR             double precision,
  DRZAVA             varchar(30),
  MINDELOPREDVST     double precision,
  MINDELOPOVST       double precision,
  OBDOBJEVIRKRED     varchar(13),
  SPREMRAZVPRIP      varchar(1),
  MODEL              varchar(5),
  KONSIG             varchar(5),
  PRISPEVEKIP        varchar(2),
  PRISPEVEKDOHOD     varchar(2),
  SEDEZNAOBCINA      varchar(30),
  PROCOLAJSAVE       double precision,
  ODNAMENNAKBANKA    varchar(15),
  ODNAMENNAKKRED     varchar(15),
  ODNAMENNAKPRDEL    varchar(15),
  ODNAMENNAKPRPOD    varchar(15),
  KREVIRDOBBRE       varchar(1),
  IZRACUNKALK        varchar(1),
  PRIKKALKOBSPRC     varchar(1),
  CENA0              varchar(16),
  CENA1              varchar(16),
  CENA2              varchar(16),
  CENA3              varchar(16),
  CENA4              varchar(16),
  SPREMREFERENTA     varchar(1),
  NARCALCKOSOL       varchar(1),
  PROCRAZVCENI       double precision,
  MSCALCKOSOL        varchar(1),
  FORMULAKOSOVNICA   varchar(255),       -- price formula: bill-of-materials price
  FORMULACENRAZRED   varchar(255),       -- price formula: price by price class
  SKLADSESTBLAGO     varchar(30),
  OSNZAIZRPRODCENE   varchar(1),         -- 'M': sale prices based on retail prices
  AVTODATUMVSTOPA    timestamp(3),       -- date of the last login (date check)
  AVTOKONTROLADAT    varchar(1),         -- 'T': date check at login
  FORMULANABACENA    varchar(255),       -- price formula: purchase price
  POLNIREFIZSUBJ     varchar(1),         -- 'T': clerk taken from the partner
  NACIZRRABATA       varchar(1),         -- 'S': discounts summed, otherwise cascaded
  ODKONTOKREDDB      varchar(8),
  ODKONTOKREDKR      varchar(8),
  POSLDOGPROIZ       varchar(2),
  VRSTAMS            varchar(3),
  ODNASKOLPOGODBE    varchar(50),
  ODTIPPODJETJA      varchar(1),
  BANKACARINA        varchar(30),        -- bank of the exchange rates for customs
  FIELDSA            varchar(20),
  FIELDSB            varchar(20),
  FIELDSC            varchar(20),
  FIELDNA            varchar(20),
  FIELDNB            varchar(20),
  POLNAMENNAK1       varchar(30),
  POLNAMENNAK2       varchar(40),
  POLNAMENNAK3       varchar(40),
  POLVDOBRO1         varchar(30),
  POLVDOBRO2         varchar(40),
  POLSIFRA1          varchar(2),
  POLSIFRA2          varchar(2),
  POLSIFRA3          varchar(2),
  POLZIRODOBRO1      varchar(22),
  POLZIRODOBRO2      varchar(2),
  POLZIRODOBRO3      varchar(25),
  POLPRTPOSTA        varchar(1),
  POLPOLNIINTDOK     varchar(1),
  POTNALVREDDRSTR1   varchar(15),
  POTNALVREDDRSTR2   varchar(15),
  POTNALVREDDRSTR3   varchar(15),
  POTNALVREDDRSTR4   varchar(15),
  POTNALVREDDRSTR5   varchar(15),
  DEL01 varchar(20), DEL02 varchar(20), DEL03 varchar(20), DEL04 varchar(20), DEL05 varchar(20),
  DEL06 varchar(20), DEL07 varchar(20), DEL08 varchar(20), DEL09 varchar(20), DEL10 varchar(20),
  DEL11 varchar(20), DEL12 varchar(20), DEL13 varchar(20), DEL14 varchar(20), DEL15 varchar(20),
  DEL16 varchar(20), DEL17 varchar(20), DEL18 varchar(20), DEL19 varchar(20), DEL20 varchar(20),
  DEL21 varchar(20),
  FA1 varchar(20), FA2 varchar(20), FA3 varchar(20), FA4 varchar(20), FA5 varchar(20),
  FA6 varchar(20), FA7 varchar(20), FA8 varchar(20), FA9 varchar(20),
  PRTDEL00           varchar(70),
  ODINDEKS           varchar(20),
  ODRAZRED           varchar(20),
  ODTOCKA            varchar(20),
  FIELDPNA           double precision,
  FIELDPNB           double precision,
  KOLICVKODIDOL      smallint,
  KOLICVKODIKONTROLA varchar(1),
  REPORTIZPISSUBJ    varchar(255),
  MSCALCKOSCENA      varchar(3),
  MSISCIPARTKODO     varchar(1),
  CARINASERIALNO     varchar(1),
  DECMESTCENA        smallint,
  DECMESTKOLICINA    smallint,
  MSKONTMNOGO        varchar(1),
  NACIZRRABSUM       varchar(1),         -- 'T': contract discount combined with the others
  MSNACIZRKOLI       varchar(1),
  MSIZRKOLIROUND     varchar(1),
  GKAVTOKNJBLGPREPOT varchar(1),
  GKAVTOKNJBLGIZDPOT varchar(1),
  MSIZPISIPARTKODO   varchar(1),
  ODNACIZRMINPLACE   varchar(1),
  GKKONTOAVANS       varchar(8),
  ROUNDOD            double precision,
  ROUNDOS            double precision,
  ROUNDVR            double precision,
  ROUNDKOLI          double precision,
  MINDOLZINAGESLA    smallint,           -- minimum password length (applied when 1 to 14)
  DOKUMENTOPOMBAA    text,
  DOKUMENTOPOMBAB    text,
  IDENTLOOKUPIDENT   text,
  IDENTLOOKUPNAZIV   text,
  GLAVA              bytea,
  -- creation audit (after the declared fields, so that they keep their order)
  DATUMZAP           timestamp(3) DEFAULT LOCALTIMESTAMP(0),
  USERZAP            varchar(2),
  CONSTRAINT param_pk PRIMARY KEY (TSBREZDAVKA)
);


-- =============================================================================================
-- Key index of the generic write hook: for each table the key fields, separated by ";".
-- Looked up by table name without regard to case. A table without a row here is written
-- with all its non-large columns as the key.
-- =============================================================================================
CREATE TABLE SintrexIndex (
  TableName  varchar(30) NOT NULL,
  FieldsName varchar(255),
  DatumZap   timestamp(3) DEFAULT LOCALTIMESTAMP(0),
  UserZap    varchar(2),
  DatumSpre  timestamp(3) DEFAULT LOCALTIMESTAMP(0),
  UserSpre   varchar(2),
  CONSTRAINT sintrexindex_pk PRIMARY KEY (TableName)
);


-- =============================================================================================
-- Users and authorizations
-- =============================================================================================

-- Users. GESLO holds the scrambled password in hexadecimal (two digits per character), or is
-- empty for a user without a password. User '00' is never offered at login.
CREATE TABLE ODDel (
  UserID    varchar(2) NOT NULL,
  Delavec   varchar(30) COLLATE slovenian,
  Geslo     varchar(30),
  Oddelek   varchar(30),
  DatumZap  timestamp(3) DEFAULT LOCALTIMESTAMP(0),
  UserZap   varchar(2),
  DatumSpre timestamp(3) DEFAULT LOCALTIMESTAMP(0),
  UserSpre  varchar(2),
  CONSTRAINT oddel_pk PRIMARY KEY (UserID)
);

-- Functions of the suite (a tree: FunkcijaNad is the parent function).
CREATE TABLE AvtorFunkcija (
  Funkcija    varchar(30) NOT NULL,
  FunkcijaNad varchar(30),
  Naziv       varchar(60),
  DatumZap    timestamp(3) DEFAULT LOCALTIMESTAMP(0),
  UserZap     varchar(2),
  DatumSpre   timestamp(3) DEFAULT LOCALTIMESTAMP(0),
  UserSpre    varchar(2),
  CONSTRAINT avtorfunkcija_pk PRIMARY KEY (Funkcija)
);

-- Authorizations of a user: allowed ('T'/'F') and the days within which a record may still
-- be changed.
CREATE TABLE Avtor (
  UserID         varchar(2) NOT NULL,
  Funkcija       varchar(30) NOT NULL,
  Dovoljeno      varchar(1),
  DniZaSpremembo smallint,
  DatumZap       timestamp(3) DEFAULT LOCALTIMESTAMP(0),
  UserZap        varchar(2),
  DatumSpre      timestamp(3) DEFAULT LOCALTIMESTAMP(0),
  UserSpre       varchar(2),
  CONSTRAINT avtor_pk PRIMARY KEY (UserID, Funkcija)
);


-- =============================================================================================
-- Small code tables (look-ups of the suite). Only their codes and names matter here.
-- =============================================================================================

-- Currencies; Drzava is the country, Poreklo the origin code of customs declarations.
CREATE TABLE Valuta (
  Valuta    varchar(3) NOT NULL,
  Naziv     varchar(30) COLLATE slovenian,
  Drzava    varchar(30) COLLATE slovenian,
  Poreklo   varchar(3),
  DatumZap  timestamp(3) DEFAULT LOCALTIMESTAMP(0),
  UserZap   varchar(2),
  DatumSpre timestamp(3) DEFAULT LOCALTIMESTAMP(0),
  UserSpre  varchar(2),
  CONSTRAINT valuta_pk PRIMARY KEY (Valuta)
);

-- Partner types (Subjekt.TipPartnerjaO as a customer, TipPartnerjaI as a supplier).
CREATE TABLE TipPartnerja (
  TipPartnerja varchar(10) NOT NULL,
  Naziv        varchar(30) COLLATE slovenian,
  DatumZap     timestamp(3) DEFAULT LOCALTIMESTAMP(0),
  UserZap      varchar(2),
  DatumSpre    timestamp(3) DEFAULT LOCALTIMESTAMP(0),
  UserSpre     varchar(2),
  CONSTRAINT tippartnerja_pk PRIMARY KEY (TipPartnerja)
);

-- Item classifications (MS.Klasif).
CREATE TABLE Klasifikacija (
  Klasif    varchar(8) NOT NULL,
  Naziv     varchar(30) COLLATE slovenian,
  DatumZap  timestamp(3) DEFAULT LOCALTIMESTAMP(0),
  UserZap   varchar(2),
  DatumSpre timestamp(3) DEFAULT LOCALTIMESTAMP(0),
  UserSpre  varchar(2),
  CONSTRAINT klasifikacija_pk PRIMARY KEY (Klasif)
);

-- Units of measure.
CREATE TABLE EM (
  EM        varchar(3) NOT NULL,
  Naziv     varchar(30) COLLATE slovenian,
  DatumZap  timestamp(3) DEFAULT LOCALTIMESTAMP(0),
  UserZap   varchar(2),
  DatumSpre timestamp(3) DEFAULT LOCALTIMESTAMP(0),
  UserSpre  varchar(2),
  CONSTRAINT em_pk PRIMARY KEY (EM)
);

-- Delivery terms.
CREATE TABLE NacDost (
  Dostava   varchar(20) NOT NULL,
  Naziv     varchar(40) COLLATE slovenian,
  DatumZap  timestamp(3) DEFAULT LOCALTIMESTAMP(0),
  UserZap   varchar(2),
  DatumSpre timestamp(3) DEFAULT LOCALTIMESTAMP(0),
  UserSpre  varchar(2),
  CONSTRAINT nacdost_pk PRIMARY KEY (Dostava)
);

-- Payment methods.
CREATE TABLE NacPlac (
  NacinPlac varchar(20) NOT NULL,
  Naziv     varchar(40) COLLATE slovenian,
  DatumZap  timestamp(3) DEFAULT LOCALTIMESTAMP(0),
  UserZap   varchar(2),
  DatumSpre timestamp(3) DEFAULT LOCALTIMESTAMP(0),
  UserSpre  varchar(2),
  CONSTRAINT nacplac_pk PRIMARY KEY (NacinPlac)
);

-- Post offices.
CREATE TABLE Posta (
  Posta     varchar(40) NOT NULL,
  Naziv     varchar(30) COLLATE slovenian,
  DatumZap  timestamp(3) DEFAULT LOCALTIMESTAMP(0),
  UserZap   varchar(2),
  DatumSpre timestamp(3) DEFAULT LOCALTIMESTAMP(0),
  UserSpre  varchar(2),
  CONSTRAINT posta_pk PRIMARY KEY (Posta)
);

-- Statement texts (tax exemption statements named by Subjekt.Izjava).
CREATE TABLE TekstIzj (
  Izjava    varchar(20) NOT NULL,
  Naziv     varchar(40) COLLATE slovenian,
  Tekst     varchar(255),
  DatumZap  timestamp(3) DEFAULT LOCALTIMESTAMP(0),
  UserZap   varchar(2),
  DatumSpre timestamp(3) DEFAULT LOCALTIMESTAMP(0),
  UserSpre  varchar(2),
  CONSTRAINT tekstizj_pk PRIMARY KEY (Izjava)
);

-- Chart of accounts.
CREATE TABLE Konto (
  Konto     varchar(8) NOT NULL,
  Naziv     varchar(40) COLLATE slovenian,
  DatumZap  timestamp(3) DEFAULT LOCALTIMESTAMP(0),
  UserZap   varchar(2),
  DatumSpre timestamp(3) DEFAULT LOCALTIMESTAMP(0),
  UserSpre  varchar(2),
  CONSTRAINT konto_pk PRIMARY KEY (Konto)
);


-- =============================================================================================
-- Master data read by the lookups
-- =============================================================================================

-- Tax rates. Davek is the rate in percent.
CREATE TABLE TarSt (
  TS             varchar(2) NOT NULL,
  Naziv          varchar(30) COLLATE slovenian,
  TarifStev      varchar(10),
  Davek          double precision,
  DDVSeObracuna  varchar(1),
  KontoKR        varchar(8),
  KontoVRDavekDB varchar(8),
  KontoVRDavekKR varchar(8),
  DDVSeUposteva  varchar(1),
  DatumZap       timestamp(3) DEFAULT LOCALTIMESTAMP(0),
  UserZap        varchar(2),
  DatumSpre      timestamp(3) DEFAULT LOCALTIMESTAMP(0),
  UserSpre       varchar(2),
  CONSTRAINT tarst_pk PRIMARY KEY (TS)
);

-- Item kinds. Tip 'S' (services) are taxed with the item's rate whatever the sale mode
-- (outside VAT mode).
CREATE TABLE VrstaMS (
  VrstaMS   varchar(3) NOT NULL,
  Naziv     varchar(30) COLLATE slovenian,
  Tip       varchar(1),
  DatumZap  timestamp(3) DEFAULT LOCALTIMESTAMP(0),
  UserZap   varchar(2),
  DatumSpre timestamp(3) DEFAULT LOCALTIMESTAMP(0),
  UserSpre  varchar(2),
  CONSTRAINT vrstams_pk PRIMARY KEY (VrstaMS)
);

-- Price formulas (language of the formula evaluator; variables between '#').
CREATE TABLE MsFormula (
  Sifra     varchar(10) NOT NULL,
  Naziv     varchar(40) COLLATE slovenian,
  Formula   varchar(255),
  DatumZap  timestamp(3) DEFAULT LOCALTIMESTAMP(0),
  UserZap   varchar(2),
  DatumSpre timestamp(3) DEFAULT LOCALTIMESTAMP(0),
  UserSpre  varchar(2),
  CONSTRAINT msformula_pk PRIMARY KEY (Sifra)
);

-- Business events. Vrsta: 'G' template group, 'F' invoice (Tip 'I' issued, 'P' received),
-- 'N' order (Tip 'P' sale order, any other purchase order). Izdajatelj, Prejemnik and Oseba3
-- are default parties of the documents; PolPreCene 'T' copies the item's cost fields.
CREATE TABLE PoslDog (
  PoslDog                varchar(2) NOT NULL,
  Evidencno              varchar(1),
  FazaA                  varchar(1),
  FazaC                  varchar(1),
  FazaD                  varchar(1),
  FazaF                  varchar(1),
  FazaG                  varchar(1),
  FazaH                  varchar(1),
  FazaK                  varchar(1),
  FazaR                  varchar(1),
  Izdajatelj             varchar(30) COLLATE slovenian,
  IzdPriOdpStanju        varchar(1),
  KontoDB                varchar(8),
  KontoKR                varchar(8),
  MPTipDob               varchar(3),
  MPTipInt               varchar(3),
  MPTipNeMat             varchar(3),
  MPTipRMA               varchar(3),
  MPTipRMADob            varchar(3),
  MPTipRMAKup            varchar(3),
  MPVrednost             varchar(1),
  Naziv                  varchar(30) COLLATE slovenian,
  Naziv2                 varchar(30),
  Naziv3                 varchar(30),
  NazivDok1              varchar(30),
  NazivDok2              varchar(30),
  NazivIzd               varchar(30),
  NazivKratki            varchar(10),
  NazivPre               varchar(30),
  ObvezenDok1            varchar(1),
  ObvezenDok2            varchar(1),
  ObvezenOddelek         varchar(1),
  Oddelek                varchar(30),
  ODNamenNakBanka        varchar(15),
  ODNamenNakKred         varchar(15),
  ODNamenNakPrDel        varchar(15),
  ODNamenNakPrPod        varchar(15),
  ODObdobjeVirKred       varchar(13),
  Oseba3                 varchar(30) COLLATE slovenian,
  PolNabCene             varchar(1),
  PolnenjeCene           varchar(1),
  PolPreCene             varchar(1),
  PolProdCene            varchar(1),
  PoslDogZaZbirno        varchar(2),
  PotNalDnev             varchar(1),
  PotNalDrStr            varchar(1),
  PotNalDrStr1           varchar(15),
  PotNalDrStr2           varchar(15),
  PotNalDrStr3           varchar(15),
  PotNalDrStr4           varchar(15),
  PotNalDrStr5           varchar(15),
  PotNalKilo             varchar(1),
  PotNalKMNad            integer,
  PotNalVredKM1          numeric(19,4),
  PotNalVredKM2          numeric(19,4),
  Prejemnik              varchar(30) COLLATE slovenian,
  ProizFormKaloBlago     varchar(255),
  ProizFormKaloEmbalaza  varchar(255),
  ProizFormKaloMaterial  varchar(255),
  ProizFormKaloProizvod  varchar(255),
  ProizFormKaloStoritev  varchar(255),
  ProizFormOdgBlago      varchar(255),
  ProizFormOdgEmbalaza   varchar(255),
  ProizFormOdgMaterial   varchar(255),
  ProizFormOdgProizvod   varchar(255),
  ProizFormOdgStoritev   varchar(255),
  ProizFormulaBlago      varchar(255),
  ProizFormulaEmbalaza   varchar(255),
  ProizFormulaKalo       varchar(255),
  ProizFormulaMaterial   varchar(255),
  ProizFormulaProizvod   varchar(255),
  ProizFormulaStoritev   varchar(255),
  ProizIzdBlago          varchar(2),
  ProizIzdEmbalaza       varchar(2),
  ProizIzdKalo           varchar(2),
  ProizIzdKaloBlago      varchar(2),
  ProizIzdKaloEmbalaza   varchar(2),
  ProizIzdKaloMaterial   varchar(2),
  ProizIzdKaloProizvod   varchar(2),
  ProizIzdKaloStoritev   varchar(2),
  ProizIzdMaterial       varchar(2),
  ProizIzdOdgBlago       varchar(2),
  ProizIzdOdgEmbalaza    varchar(2),
  ProizIzdOdgMaterial    varchar(2),
  ProizIzdOdgProizvod    varchar(2),
  ProizIzdOdgStoritev    varchar(2),
  ProizIzdProizvod       varchar(2),
  ProizIzdRazst          varchar(2),
  ProizIzdStoritev       varchar(2),
  ProizPreKalo           varchar(2),
  ProizPreOdgorek        varchar(2),
  ProizPreProizvod       varchar(2),
  ProizPreRazst          varchar(2),
  PrometZOS              varchar(1),
  StranKnj               varchar(1),
  Tip                    varchar(1),
  VirKrajDatum           varchar(30),
  VirNamenNak2           varchar(40),
  VirNamenNak2DOK        varchar(1),
  VirNamenNak3           varchar(40),
  VirOrgEnota            varchar(30),
  VirPolniDatum          varchar(1),
  VirPoslDog             varchar(2),
  VirPrty                varchar(30),
  VirSifra1              varchar(2),
  VirSifra2              varchar(2),
  VirSifra3              varchar(2),
  VirVBreme1             varchar(30),
  VirVBreme2             varchar(30),
  VirVBreme3             varchar(30),
  VirZiroBreme1          varchar(30),
  VirZiroBreme2          varchar(30),
  VirZiroBreme3          varchar(30),
  VirZiroBreme3Dok       varchar(1),
  VirZiroDobro2          varchar(30),
  VirZiroDobro3          varchar(30),
  VirZiroDobro3Dok       varchar(1),
  Vrsta                  varchar(1),
  VrstaDnev              varchar(1),
  VrstaTrga              varchar(1),
  DatumZap               timestamp(3) DEFAULT LOCALTIMESTAMP(0),
  UserZap                varchar(2),
  DatumSpre              timestamp(3) DEFAULT LOCALTIMESTAMP(0),
  UserSpre               varchar(2),
  CONSTRAINT posldog_pk PRIMARY KEY (PoslDog)
);

-- Partners, keyed by name. Columns without the prefix Dob are the partner's terms as a
-- customer, those with it its terms as a supplier. TipPartnerjaO is the customer type,
-- TipPartnerjaI the supplier type. VodZaloge 'R' marks a warehouse.
CREATE TABLE Subjekt (
  Naziv          varchar(30) COLLATE slovenian NOT NULL,
  Banka          varchar(30),
  CenRazred      varchar(1),             -- price class '1'..'4' ('0' and empty mean '1')
  DatumInvent    timestamp(3),
  DatumIzj       timestamp(3),           -- date of the yearly statement LetnaIzjava
  DatumLim       timestamp(3),
  Delavec        varchar(30),
  DniZaPlac      integer,                -- payment term in days
  Dobavitelj     varchar(1),             -- 'T': a supplier
  DobDatumIzj    timestamp(3),
  DobDatumLim    timestamp(3),
  DobDniZaPlac   integer,
  DobDostava     varchar(20),
  DobIzjava      varchar(20),
  DobLetnaIzjava varchar(20),
  DobLimit       numeric(19,4),
  DobNacinPlac   varchar(20),
  DobNacIzrCene  varchar(1),
  DobNacProdaje  varchar(1),
  DobRabat       double precision,
  DobReferent    varchar(2),
  DobValuta      varchar(3),
  Dostava        varchar(20),
  Drzava         varchar(30),
  Fax            varchar(20),
  Geslo          varchar(15),
  Izjava         varchar(20),
  KM             integer,
  KrajSkup       varchar(30),
  Kupec          varchar(1),             -- 'T': a customer
  LetnaIzjava    varchar(20),            -- number of the customer's yearly statement
  "limit"        numeric(19,4),          -- a reserved word in PostgreSQL: see the note at the top
  MaticnaStev    varchar(20),
  Ziro3          varchar(30),
  NacinPlac      varchar(20),
  NacIzrCene     varchar(1),             -- price method: '1' retail list price, '2' net price
  NacProdaje     varchar(1),             -- sale mode: 'K', 'Z', 'I'
  Naslov         varchar(40),
  Naziv2         varchar(40),
  Obcina         varchar(30),
  Oddelek        varchar(30),
  Placnik        varchar(30),
  Posta          varchar(40),
  Rabat          double precision,       -- customer discount in percent
  Referent       varchar(2),             -- clerk (user code)
  ZalVMinus      varchar(1),
  SifDejavnost   varchar(10),
  Sifra          varchar(20),
  Skladisce      varchar(30),
  Sola           varchar(1),
  Tel            varchar(20),
  TipPartnerjaI  varchar(10),
  TipPartnerjaO  varchar(10),
  Uporabnik      varchar(1),
  Ustanova       varchar(1),
  Valuta         varchar(3),
  VirPrty        varchar(30),
  VirZiro23      varchar(30),
  VodZaloge      varchar(1),
  VredZaloge     varchar(1),
  Ziro1          varchar(30),
  Ziro2          varchar(30),
  DatumZap       timestamp(3) DEFAULT LOCALTIMESTAMP(0),
  UserZap        varchar(2),
  DatumSpre      timestamp(3) DEFAULT LOCALTIMESTAMP(0),
  UserSpre       varchar(2),
  CONSTRAINT subjekt_pk PRIMARY KEY (Naziv)
);

-- Contact persons of a partner, in the order of Poz.
CREATE TABLE KontOs (
  Subjekt   varchar(30) COLLATE slovenian NOT NULL,
  Poz       smallint NOT NULL,
  KontOseba varchar(30) COLLATE slovenian,
  Tel       varchar(20),
  Email     varchar(60),
  DatumZap  timestamp(3) DEFAULT LOCALTIMESTAMP(0),
  UserZap   varchar(2),
  DatumSpre timestamp(3) DEFAULT LOCALTIMESTAMP(0),
  UserSpre  varchar(2),
  CONSTRAINT kontos_pk PRIMARY KEY (Subjekt, Poz)
);

-- Items. Valuta is the currency of the sale prices (MPCena, VPCena, VPCena2, ProdCena,
-- Sestavnica), ValutaDob that of the supplier price CenaDob; NabaCena is in the home currency.
-- Percentages: Davek, Popust (sale discount), Rabat (supplier discount), TrosarinaP, *P.
CREATE TABLE MS (
  Ident            varchar(16) NOT NULL,
  Aktivno          varchar(1),
  CarTarifa        varchar(12),
  Cena             numeric(19,4),
  CenaDob          numeric(19,4),
  Dajatve          numeric(19,4),
  Davek            double precision,
  DimGlobina       double precision,
  DimSirina        double precision,
  DimTeza          double precision,
  DimTezaBruto     double precision,
  DimVisina        double precision,
  Dobavitelj       varchar(30) COLLATE slovenian,
  EM               varchar(3),
  EM2              varchar(3),
  EM3              varchar(3),
  EMDim1           varchar(3),
  EMDim2           varchar(3),
  EMSarza          varchar(3),
  EMToDeklaracija  double precision,
  EMToEM2          double precision,
  EMToEM3          double precision,
  Evidencno        varchar(1),
  FieldNA          double precision,
  FieldNB          double precision,
  FieldSA          varchar(20),
  FieldSB          varchar(20),
  FieldSC          varchar(20),
  Formula          varchar(10),            -- code of a price formula (MsFormula.Sifra)
  Garancija        integer,
  IzpisDeklaracija varchar(1),
  IzracunKalk      varchar(1),
  Kalo             double precision,
  Klasif           varchar(8),
  Klasif2          varchar(8),
  KlasifPod        double precision,
  Koda             varchar(13),
  KolicSarza       double precision,
  KolicVKodi       varchar(1),
  Konto            varchar(8),
  MaxZaloga        double precision,
  MinZaloga        double precision,
  MPCena           numeric(19,4),
  MPCenaP          double precision,
  NabaCena         numeric(19,4),
  NarocPreVProiz   varchar(1),
  Naziv            varchar(40) COLLATE slovenian,
  NepStr           numeric(19,4),
  Normirano        varchar(1),
  Oddelek          varchar(30),
  OptZaloga        double precision,
  Popust           double precision,
  Poreklo          varchar(30),
  PorekloTipIzjava varchar(10),
  PoslDogProiz     varchar(2),
  ProdCena         numeric(19,4),
  Rabat            double precision,
  SerialNo         varchar(1),
  Sestavnica       numeric(19,4),
  SestavnicaP      double precision,
  Stolpec          varchar(10),
  TipIzjavePoreklo varchar(10),
  Transport        numeric(19,4),
  Trosarina        numeric(19,4),          -- excise per unit
  TrosarinaP       double precision,       -- excise in percent
  TS               varchar(2),             -- tax code (TarSt)
  TSZnizana        varchar(2),             -- reduced tax code
  Valuta           varchar(3),
  ValutaDob        varchar(3),
  VPCena           numeric(19,4),
  VPCena2          numeric(19,4),
  VPCena2P         double precision,
  VPCenaP          double precision,
  VRDavek          numeric(19,4),
  VrstaMS          varchar(3),
  DatumZap         timestamp(3) DEFAULT LOCALTIMESTAMP(0),
  UserZap          varchar(2),
  DatumSpre        timestamp(3) DEFAULT LOCALTIMESTAMP(0),
  UserSpre         varchar(2),
  CONSTRAINT ms_pk PRIMARY KEY (Ident)
);

-- Contract price lists. Subjekt is a partner name or a partner type, Ident an item code or an
-- item classification; PreIzd 'P' sale, 'N' purchase. Cena is in Valuta; Rabat in percent;
-- Formula names a price formula (MsFormula.Sifra).
-- The partners of a partner type (partner-type templates list them at every run).
CREATE INDEX subjekt_tippartnerjai ON Subjekt (TipPartnerjaI);
CREATE INDEX subjekt_tippartnerjao ON Subjekt (TipPartnerjaO);
-- The run asks for them with "TipPartnerjaI LIKE 'x' OR TipPartnerjaO LIKE 'x'", which reaches
-- PostgreSQL as ILIKE (the suite's server compares texts without regard to case). A B-tree
-- index serves neither ILIKE nor a collation other than C, so without these trigram indexes every
-- partner-type template read the whole partner table: a run's time grew with the square of the
-- company's size.
CREATE EXTENSION IF NOT EXISTS pg_trgm;
CREATE INDEX subjekt_tippartnerjai_trgm ON Subjekt USING gin (TipPartnerjaI gin_trgm_ops);
CREATE INDEX subjekt_tippartnerjao_trgm ON Subjekt USING gin (TipPartnerjaO gin_trgm_ops);

CREATE TABLE SubjektCenik (
  Subjekt    varchar(30) COLLATE slovenian NOT NULL,
  Ident      varchar(16) NOT NULL,
  PreIzd     varchar(1) NOT NULL,
  Tip        varchar(1),                 -- 'S' row of a partner, 'T' row of a partner type
  Valuta     varchar(3),
  Cena       numeric(19,4),
  Rabat      double precision,
  Formula    varchar(10),
  DobavniRok smallint,
  RokPlacila smallint,
  DatumZap   timestamp(3) DEFAULT LOCALTIMESTAMP(0),
  UserZap    varchar(2),
  DatumSpre  timestamp(3) DEFAULT LOCALTIMESTAMP(0),
  UserSpre   varchar(2),
  CONSTRAINT subjektcenik_pk PRIMARY KEY (Subjekt, Ident, PreIzd)
);

-- Exchange rates: the value of one unit of Valuta at bank Banka, valid from Datum.
CREATE TABLE Tecaj (
  Banka     varchar(30) NOT NULL,
  Valuta    varchar(3) NOT NULL,
  Datum     timestamp(3) NOT NULL,
  Tecaj     double precision,
  DatumZap  timestamp(3) DEFAULT LOCALTIMESTAMP(0),
  UserZap   varchar(2),
  DatumSpre timestamp(3) DEFAULT LOCALTIMESTAMP(0),
  UserSpre  varchar(2),
  CONSTRAINT tecaj_pk PRIMARY KEY (Banka, Valuta, Datum)
);


-- =============================================================================================
-- Periodic templates
-- =============================================================================================

-- Template header. Kljuc: two digits of the year of Datum + PoslDog (a template group,
-- Vrsta 'G') + five-digit counter. Subjekt is a partner name (Tip 'P') or a partner type
-- (Tip 'T'). PoslDogFak is the business event of the documents made from it. DatZadFak is the
-- date of the last document (NULL until the first). DatumZak = Datum + StevObrokov * Periodika.
CREATE TABLE Obdrac (
  Kljuc       varchar(9) NOT NULL,
  PoslDog     varchar(2),
  Datum       timestamp(3),
  Subjekt     varchar(30) COLLATE slovenian,
  Tip         varchar(1),
  Periodika   smallint,
  NacIzrCene  varchar(1),
  DatZadFak   timestamp(3),
  PoslDogFak  varchar(2),
  DatumSpre   timestamp(3) DEFAULT LOCALTIMESTAMP(0),
  DatumZap    timestamp(3) DEFAULT LOCALTIMESTAMP(0),
  UserSpre    varchar(2),
  UserZap     varchar(2),
  Valuta      varchar(3),
  StevObrokov smallint,
  Aktivno     varchar(1),
  DatumZak    timestamp(3),
  CONSTRAINT obdrac_pk PRIMARY KEY (Kljuc)
);
CREATE INDEX obdrac_posldog ON Obdrac (PoslDog, Kljuc);

-- Template lines, numbered in steps of 5.
CREATE TABLE ObdracPoz (
  Kljuc     varchar(9) NOT NULL,
  Poz       smallint NOT NULL,
  Ident     varchar(16),
  Naziv     varchar(40) COLLATE slovenian,
  Kolicina  double precision,
  Cena      numeric(19,4),               -- used when the template's NacIzrCene is 'F'
  Rabat     double precision,
  Opomba    varchar(255),
  DatumSpre timestamp(3) DEFAULT LOCALTIMESTAMP(0),
  DatumZap  timestamp(3) DEFAULT LOCALTIMESTAMP(0),
  UserSpre  varchar(2),
  UserZap   varchar(2),
  CONSTRAINT obdracpoz_pk PRIMARY KEY (Kljuc, Poz)
);


-- =============================================================================================
-- Documents: issued invoices (Promet, PrometPoz) and orders (Naroc, NarocPoz).
-- Kljuc: two digits of the year of Datum + PoslDog + five-digit counter.
-- =============================================================================================

CREATE TABLE Promet (
  Kljuc         varchar(9) NOT NULL,
  Referent      varchar(2),
  Oddelek       varchar(30),
  Izdajatelj    varchar(30) COLLATE slovenian,
  Prejemnik     varchar(30) COLLATE slovenian,
  Oseba3        varchar(30) COLLATE slovenian,
  Datum         timestamp(3),
  PoslDog       varchar(2),
  DatumDDV      timestamp(3),
  DatumVal      timestamp(3),
  DniZaPlac     integer,
  Valuta        varchar(3),
  Tecaj         double precision,
  PrejemnikZal  varchar(1),
  IzdajateljZal varchar(1),
  PotrjeneCene  varchar(1),
  Vrednost      numeric(19,4),
  VredValuta    numeric(19,4),
  ZaPlacilo     numeric(19,4),
  Popust        numeric(19,4),
  Davek         numeric(19,4),
  DavekDDV      numeric(19,4),
  CenRazred     varchar(1),
  NacProdaje    varchar(1),
  Knjizen       varchar(1),
  Rabat         numeric(19,4),
  Transport     numeric(19,4),
  Dajatve       numeric(19,4),
  NepStr        numeric(19,4),
  VrDavek       numeric(19,4),
  DatDokum1     timestamp(3),
  DatDokum2     timestamp(3),
  Dokument1     varchar(20),
  Dokument2     varchar(20),
  Dostava       varchar(20),
  Izjava        varchar(20),
  KontOseba     varchar(30),
  KontOseba3    varchar(30),
  NacinPlac     varchar(20),
  NamenNak1     varchar(30),
  NamenNak2     varchar(40),
  NamenNak3     varchar(40),
  Oblika        varchar(10),
  OblikaFak     varchar(10),
  OblikaTL      varchar(10),
  Opomba        varchar(255),
  Sifra1        varchar(2),
  Sifra2        varchar(2),
  Sifra3        varchar(2),
  SklicNaStev1  varchar(30),
  SklicNaStev2  varchar(30),
  UserSpre      varchar(2),
  UserZap       varchar(2),
  KontoDB       varchar(8),
  DatumSpre     timestamp(3) DEFAULT LOCALTIMESTAMP(0),
  DatumZap      timestamp(3) DEFAULT LOCALTIMESTAMP(0),
  CONSTRAINT promet_pk PRIMARY KEY (Kljuc)
);

CREATE TABLE PrometPoz (
  Kljuc            varchar(9) NOT NULL,
  Poz              smallint NOT NULL,
  Ident            varchar(16),
  Naziv            varchar(40) COLLATE slovenian,
  EM               varchar(3),
  TS               varchar(2),
  Oddelek          varchar(30),
  TSDDV            varchar(2),
  DavekDDV         double precision,
  KontoKr          varchar(8),
  Kolicina         double precision,
  KolicinaTemp     double precision,
  Cena             numeric(19,4),
  Rabat            double precision,
  Davek            double precision,
  Dajatve          numeric(19,4),
  VpCena2P         double precision,
  VpCenaP          double precision,
  MpCenaP          double precision,
  NepStr           numeric(19,4),
  Transport        numeric(19,4),
  CenaZaVred       numeric(19,4),
  CenaValuta       numeric(19,4),
  MPCena           numeric(19,4),
  VPCena           numeric(19,4),
  VPCena2          numeric(19,4),
  VRDavek          numeric(19,4),
  ProdCena         numeric(19,4),
  VPoz             smallint,
  KolicPak         double precision,
  Trosarina        numeric(19,4),
  TrosarinaP       double precision,
  FieldL           varchar(1),
  Garancija        integer,
  Opomba           varchar(255),
  Poreklo          varchar(30),
  StevPak          varchar(20),
  TipIzjavePoreklo varchar(10),
  UserSpre         varchar(2),
  UserZap          varchar(2),
  VKljuc           varchar(9),
  DatumSpre        timestamp(3) DEFAULT LOCALTIMESTAMP(0),
  DatumZap         timestamp(3) DEFAULT LOCALTIMESTAMP(0),
  CONSTRAINT prometpoz_pk PRIMARY KEY (Kljuc, Poz)
);

CREATE TABLE Naroc (
  Kljuc      varchar(9) NOT NULL,
  Datum      timestamp(3),
  PoslDog    varchar(2),
  Potrjeno   varchar(1),
  Referent   varchar(2),
  Oddelek    varchar(30),
  CenRazred  varchar(1),
  NacProdaje varchar(1),
  DniZaPlac  integer,
  DniZaVelj  integer,
  DatumVelj  timestamp(3),
  Valuta     varchar(3),
  Narocnik   varchar(30) COLLATE slovenian,
  NacinPlac  varchar(20),
  Dostava    varchar(20),
  KontOseba  varchar(30),
  KontOseba3 varchar(30),
  Prejemnik  varchar(30) COLLATE slovenian,
  UserSpre   varchar(2),
  UserZap    varchar(2),
  DatDokum1  timestamp(3),
  DatDokum2  timestamp(3),
  Davek      numeric(19,4),
  Dokument1  varchar(20),
  Dokument2  varchar(20),
  Izjava     varchar(20),
  Opomba     varchar(255),
  Popust     numeric(19,4),
  RokDobave  timestamp(3),
  Vrednost   numeric(19,4),
  ZaPlacilo  numeric(19,4),
  DatumSpre  timestamp(3) DEFAULT LOCALTIMESTAMP(0),
  DatumZap   timestamp(3) DEFAULT LOCALTIMESTAMP(0),
  CONSTRAINT naroc_pk PRIMARY KEY (Kljuc)
);

CREATE TABLE NarocPoz (
  Kljuc        varchar(9) NOT NULL,
  Poz          smallint NOT NULL,
  Cena         numeric(19,4),
  Davek        double precision,
  EM           varchar(3),
  Ident        varchar(16),
  Kolicina     double precision,
  KolicinaOdpr double precision,
  KolicPak     double precision,
  Naziv        varchar(40) COLLATE slovenian,
  Opomba       varchar(255),
  ProdCena     numeric(19,4),
  Rabat        double precision,
  RokDobave    timestamp(3),
  Trosarina    numeric(19,4),
  TrosarinaP   double precision,
  TS           varchar(2),
  UserSpre     varchar(2),
  UserZap      varchar(2),
  VKljuc       varchar(9),
  VPoz         smallint,
  DatumSpre    timestamp(3) DEFAULT LOCALTIMESTAMP(0),
  DatumZap     timestamp(3) DEFAULT LOCALTIMESTAMP(0),
  CONSTRAINT narocpoz_pk PRIMARY KEY (Kljuc, Poz)
);


-- =============================================================================================
-- Report definitions. Codes below hexadecimal A00 are shipped (system) reports, from A00 up
-- the user's own variants. ReportData holds the report designer's layout stream.
-- =============================================================================================
CREATE TABLE Report (
  Report           varchar(3) NOT NULL,
  Naziv            varchar(100) COLLATE slovenian,
  FormName         varchar(100),
  ParentFormName   varchar(100),
  DefaultPrinter   varchar(255),
  Preview          varchar(1),
  ReportData       bytea,
  MaxKosLevel      smallint,
  Izjava           varchar(80),
  IzjavaNad        varchar(80),
  IzjavaZni        varchar(80),
  ZamenjajPredZnak varchar(1),
  PrintIfEmpty     varchar(1),
  UserZap          varchar(2),
  DatumZap         timestamp(3) DEFAULT LOCALTIMESTAMP(0),
  UserSpre         varchar(2),
  DatumSpre        timestamp(3) DEFAULT LOCALTIMESTAMP(0),
  Tekst1           text,
  Tekst2           text,
  Tekst3           text,
  PrintToText      varchar(1),
  NoOfCopy         smallint,
  OrderBy          varchar(255),
  Opomba           text,
  CONSTRAINT report_pk PRIMARY KEY (Report)
);


-- =============================================================================================
-- Key fields of the tables for the generic write hook (part of the schema, not of a company's
-- data: every company database has these rows).
-- =============================================================================================
INSERT INTO SintrexIndex (TableName, FieldsName, UserZap, UserSpre) VALUES
  ('Param',         'TSBREZDAVKA',           '00', '00'),
  ('SintrexIndex',  'TableName',             '00', '00'),
  ('ODDel',         'UserID',                '00', '00'),
  ('Avtor',         'UserID;Funkcija',       '00', '00'),
  ('AvtorFunkcija', 'Funkcija',              '00', '00'),
  ('Valuta',        'Valuta',                '00', '00'),
  ('TipPartnerja',  'TipPartnerja',          '00', '00'),
  ('Klasifikacija', 'Klasif',                '00', '00'),
  ('EM',            'EM',                    '00', '00'),
  ('NacDost',       'Dostava',               '00', '00'),
  ('NacPlac',       'NacinPlac',             '00', '00'),
  ('Posta',         'Posta',                 '00', '00'),
  ('TekstIzj',      'Izjava',                '00', '00'),
  ('Konto',         'Konto',                 '00', '00'),
  ('TarSt',         'TS',                    '00', '00'),
  ('VrstaMS',       'VrstaMS',               '00', '00'),
  ('MsFormula',     'Sifra',                 '00', '00'),
  ('PoslDog',       'PoslDog',               '00', '00'),
  ('Subjekt',       'Naziv',                 '00', '00'),
  ('KontOs',        'Subjekt;Poz',           '00', '00'),
  ('MS',            'Ident',                 '00', '00'),
  ('SubjektCenik',  'Subjekt;Ident;PreIzd',  '00', '00'),
  ('Tecaj',         'Banka;Valuta;Datum',    '00', '00'),
  ('Obdrac',        'Kljuc',                 '00', '00'),
  ('ObdracPoz',     'Kljuc;Poz',             '00', '00'),
  ('Promet',        'Kljuc',                 '00', '00'),
  ('PrometPoz',     'Kljuc;Poz',             '00', '00'),
  ('Naroc',         'Kljuc',                 '00', '00'),
  ('NarocPoz',      'Kljuc;Poz',             '00', '00'),
  ('Report',        'Report',                '00', '00');

-- =============================================================================================
-- Demo company "Demo d.o.o.": enough master data, templates and documents that every part of
-- the periodic invoicing shows something real.
--
-- Loaded after schema.sql. Dates that decide whether a template is due are relative to the
-- day of loading (CURRENT_DATE), so the demo always has due and not-yet-due work; template
-- dates (Datum) and therefore template keys are fixed in 2025.
--
-- Template key -> scenario (see also the comments at each template):
--   25G100001  partner, never invoiced (DatZadFak NULL)             -> due, invoice event 10
--   25G100002  partner O'Neil, own prices (NacIzrCene 'F')          -> due (last 40 days ago)
--   25G100003  partner, last document 5 days ago, period 30         -> not yet due
--   25G100004  partner, inactive (Aktivno 'F')                      -> never selected
--   25G100005  partner, closed (DatZadFak after DatumZak, 2025)     -> never selected
--   25G100006  partner type VZD (5 partners), event 11              -> due, 5 invoices
--   25G100007  partner type PRAZNO (no partners)                    -> selected, no document
--   25G100008  partner, 2nd of 3 lines names a missing item         -> due, lines 1 and 2
--   25G100009  partner, no lines                                    -> never selected
--   25G100010  foreign partner in USD, quarterly, event 12          -> due (100 days ago)
--   25G100011  partner, DatumZak empty, yearly, never invoiced      -> due once only
--   25G100012  partner with sale mode 'Z' (reduced rate)            -> due (60 days ago)
--   25G200001  partner, sale order event 07, never ordered          -> due, sale order
--   25G200002  supplier, purchase order event 08                    -> due (45 days ago)
--   25G200003  partner type JAV (4 partners), sale order event 07   -> due, 4 orders
--   25G200004  USD supplier, purchase order, period 0, own prices   -> due at every run
--   25G200005  partner name that is not in Subjekt                  -> due, empty terms
--   25G200006  partner, every line names a missing item             -> due, nothing written
--   25G200007  partner, sale order, last order 3 days ago           -> not yet due
--   25G200008  partner, received-invoice event 20 (Vrsta F, Tip P)  -> never selected
-- =============================================================================================

SET client_min_messages = warning;

-- ---------------------------------------------------------------------------------------------
-- Company parameters
--   Formulas (variables between '#', clauses [condition:value], last value the default):
--   FORMULACENRAZRED  price by price class: class 2 -> VP price 2, class 3 (retail customers)
--                     -> VP price 1 + 10 %, otherwise VP price 1. Every class gives a net price:
--                     the company values sales the usual way (OSNZAIZRPRODCENE 'V', tax added
--                     on the net price), so a class must never name the retail price MPCena,
--                     which already holds the tax.
--   FORMULANABACENA   purchase price: the gross purchase price in home currency when the item
--                     has one, otherwise the supplier's price (holds "NABACENA", so the item's
--                     supplier discount is folded in on the purchase side)
--   FORMULAKOSOVNICA  bill-of-materials price: the item's Sestavnica price
-- ---------------------------------------------------------------------------------------------
INSERT INTO Param (
  TSBREZDAVKA, ROUNDT, NASAVALUTA, BANKASLOVENIJE, BANKACARINA, BANKACENIK,
  NAROCDNIZAVELJ, NASEPODJETJE, DRZAVA, SEDEZNAOBCINA, MINDOLZINAGESLA,
  AVTOKONTROLADAT, AVTODATUMVSTOPA, POLNIREFIZSUBJ, NACIZRRABATA, NACIZRRABSUM,
  OSNZAIZRPRODCENE, FORMULACENRAZRED, FORMULANABACENA, FORMULAKOSOVNICA,
  VRSTAMS, DECMESTCENA, DECMESTKOLICINA, CENA0, CENA1, CENA2, CENA3, CENA4,
  GKKONTOKUP, GKKONTODOB, USERZAP, USERSPRE)
VALUES (
  '00', 0.01, 'EUR', 'BSI', 'BSI', 'NLB',
  30, 'Demo d.o.o.', 'Slovenija', 'Ljubljana', 4,
  'F', CURRENT_DATE - 1, 'F', 'K', 'F',
  'V', '[#CENRAZRED#=2:#VPCENA2#][#CENRAZRED#=3:#VPCENA1#*1.1]#VPCENA1#',
  '[#BNABACENA#>0:#BNABACENA#]#NNABACENA#', '#SESTAVNICA#',
  'BLA', 2, 2, 'Nabavna cena', 'VP cena 1', 'VP cena 2', 'MP cena', 'Sestavnica',
  '120000', '220000', '00', '00');


-- ---------------------------------------------------------------------------------------------
-- Users and authorizations
--   00 Sistem          never offered at login
--   01 Ana Kovač       with a password (filled in below), three authorization rows
--   02 Janez Štrukelj  without a password, exactly one authorization row
--   03 Mojca Žagar     without a password, no authorization rows
-- ---------------------------------------------------------------------------------------------
INSERT INTO ODDel (UserID, Delavec, Geslo, Oddelek, UserZap, UserSpre) VALUES
  ('00', 'Sistem',         '', 'Informatika',   '00', '00'),
  ('01', 'Ana Kovač',      '', 'Računovodstvo', '00', '00'),
  ('02', 'Janez Štrukelj', '', 'Prodaja',       '00', '00'),
  ('03', 'Mojca Žagar',    '', 'Nabava',        '00', '00');

-- Password of user 01: the scrambled hexadecimal form of the demo password "demo".
UPDATE ODDel SET Geslo = '78570A18' WHERE UserID = '01';   -- PASSWORD-DEMO

INSERT INTO AvtorFunkcija (Funkcija, FunkcijaNad, Naziv, UserZap, UserSpre) VALUES
  ('VEKTOR',        '',          'Programski paket',       '00', '00'),
  ('PERIODIKA',     'VEKTOR',    'Periodično fakturiranje', '00', '00'),
  ('PERIODIKA_KRE', 'PERIODIKA', 'Kreiranje dokumentov',   '00', '00'),
  ('PERIODIKA_IZP', 'PERIODIKA', 'Izpis dokumentov',       '00', '00'),
  ('PERIODIKA_NAS', 'PERIODIKA', 'Nastavitev partnerjev',  '00', '00'),
  ('PARAMETRI',     'VEKTOR',    'Parametri podjetja',     '00', '00'),
  ('IZPISI',        'VEKTOR',    'Oblikovanje izpisov',    '00', '00');

INSERT INTO Avtor (UserID, Funkcija, Dovoljeno, DniZaSpremembo, UserZap, UserSpre) VALUES
  ('01', 'PERIODIKA', 'T', 0,  '00', '00'),
  ('01', 'PARAMETRI', 'T', 0,  '00', '00'),
  ('01', 'IZPISI',    'T', 0,  '00', '00'),
  ('02', 'PERIODIKA', 'T', 30, '00', '00');


-- ---------------------------------------------------------------------------------------------
-- Code tables
-- ---------------------------------------------------------------------------------------------
INSERT INTO Valuta (Valuta, Naziv, Drzava, Poreklo, UserZap, UserSpre) VALUES
  ('EUR', 'Evro',             'Slovenija',         'SI', '00', '00'),
  ('USD', 'Ameriški dolar',   'ZDA',               'US', '00', '00'),
  ('GBP', 'Britanski funt',   'Združeno kraljestvo', 'GB', '00', '00'),
  ('CHF', 'Švicarski frank',  'Švica',             'CH', '00', '00');

INSERT INTO TipPartnerja (TipPartnerja, Naziv, UserZap, UserSpre) VALUES
  ('VZD',    'Pogodbe o vzdrževanju',   '00', '00'),
  ('NAJ',    'Najemniki',               '00', '00'),
  ('JAV',    'Javni zavodi',            '00', '00'),
  ('VEL',    'Veleprodaja',             '00', '00'),
  ('MAL',    'Maloprodaja',             '00', '00'),
  ('TUJ',    'Tuji kupci',              '00', '00'),
  ('DOB',    'Dobavitelji',             '00', '00'),
  ('PRAZNO', 'Tip brez partnerjev',     '00', '00');

INSERT INTO Klasifikacija (Klasif, Naziv, UserZap, UserSpre) VALUES
  ('NAJ',  'Najemnine',               '00', '00'),
  ('STOR', 'Storitve vzdrževanja',    '00', '00'),
  ('SVET', 'Svetovanje in storitve',  '00', '00'),
  ('LIC',  'Licence',                 '00', '00'),
  ('RAC',  'Računalniška oprema',     '00', '00'),
  ('PIS',  'Pisarniški material',     '00', '00'),
  ('ZIV',  'Živila',                  '00', '00'),
  ('KNJ',  'Knjige in revije',        '00', '00'),
  ('GOR',  'Goriva',                  '00', '00'),
  ('ALK',  'Alkoholne pijače',        '00', '00'),
  ('MAT',  'Material',                '00', '00'),
  ('OST',  'Ostalo',                  '00', '00');

INSERT INTO EM (EM, Naziv, UserZap, UserSpre) VALUES
  ('KOS', 'kos',     '00', '00'),
  ('KG',  'kilogram', '00', '00'),
  ('L',   'liter',   '00', '00'),
  ('M',   'meter',   '00', '00'),
  ('M2',  'kvadratni meter', '00', '00'),
  ('URA', 'ura',     '00', '00'),
  ('MES', 'mesec',   '00', '00'),
  ('KOM', 'komplet', '00', '00'),
  ('PAK', 'paket',   '00', '00');

INSERT INTO NacDost (Dostava, Naziv, UserZap, UserSpre) VALUES
  ('FCO',    'Franko kupec',      '00', '00'),
  ('EXW',    'Franko skladišče',  '00', '00'),
  ('POSTA',  'Po pošti',          '00', '00'),
  ('OSEBNO', 'Osebni prevzem',    '00', '00');

INSERT INTO NacPlac (NacinPlac, Naziv, UserZap, UserSpre) VALUES
  ('TRR',     'Nakazilo na TRR',   '00', '00'),
  ('GOT',     'Gotovina',          '00', '00'),
  ('KARTICA', 'Plačilna kartica',  '00', '00'),
  ('KOMP',    'Kompenzacija',      '00', '00');

INSERT INTO Posta (Posta, Naziv, UserZap, UserSpre) VALUES
  ('1000 Ljubljana',     'Ljubljana',     '00', '00'),
  ('1290 Grosuplje',     'Grosuplje',     '00', '00'),
  ('2000 Maribor',       'Maribor',       '00', '00'),
  ('3000 Celje',         'Celje',         '00', '00'),
  ('4000 Kranj',         'Kranj',         '00', '00'),
  ('4220 Škofja Loka',   'Škofja Loka',   '00', '00'),
  ('5000 Nova Gorica',   'Nova Gorica',   '00', '00'),
  ('6000 Koper',         'Koper',         '00', '00'),
  ('8000 Novo mesto',    'Novo mesto',    '00', '00'),
  ('9000 Murska Sobota', 'Murska Sobota', '00', '00');

INSERT INTO TekstIzj (Izjava, Naziv, Tekst, UserZap, UserSpre) VALUES
  ('IZV',   'Izvoz',              'DDV ni obračunan na podlagi 52. člena ZDDV-1.', '00', '00'),
  ('EU',    'Dobava v EU',        'DDV ni obračunan na podlagi 46. člena ZDDV-1.', '00', '00'),
  ('LETNA', 'Letna izjava kupca', 'Na podlagi letne izjave kupca.',                '00', '00');

INSERT INTO Konto (Konto, Naziv, UserZap, UserSpre) VALUES
  ('120000', 'Terjatve do kupcev v državi', '00', '00'),
  ('121000', 'Terjatve do kupcev v tujini', '00', '00'),
  ('220000', 'Obveznosti do dobaviteljev',  '00', '00'),
  ('260000', 'Obveznosti za DDV',           '00', '00'),
  ('760000', 'Prihodki od prodaje',         '00', '00');


-- ---------------------------------------------------------------------------------------------
-- Tax rates ('00' is the no-tax code TSBREZDAVKA) and item kinds
-- ---------------------------------------------------------------------------------------------
INSERT INTO TarSt (TS, Naziv, TarifStev, Davek, DDVSeObracuna, KontoKR, DDVSeUposteva, UserZap, UserSpre) VALUES
  ('22', 'Splošna stopnja 22 %',         '1', 22,  'T', '260000', 'T', '00', '00'),
  ('95', 'Znižana stopnja 9,5 %',        '2', 9.5, 'T', '260000', 'T', '00', '00'),
  ('05', 'Posebna znižana stopnja 5 %',  '3', 5,   'T', '260000', 'T', '00', '00'),
  ('00', 'Oproščeno 0 %',                '0', 0,   'F', '',       'F', '00', '00');

INSERT INTO VrstaMS (VrstaMS, Naziv, Tip, UserZap, UserSpre) VALUES
  ('BLA', 'Blago',               'B', '00', '00'),
  ('STO', 'Storitve',            'S', '00', '00'),
  ('MAT', 'Material',            'M', '00', '00'),
  ('PRO', 'Proizvodi',           'P', '00', '00'),
  ('TRO', 'Trošarinsko blago',   'B', '00', '00');


-- ---------------------------------------------------------------------------------------------
-- Price formulas (MsFormula). NAPAKA is deliberately malformed: it evaluates to no result,
-- so the price falls back to the next source.
-- ---------------------------------------------------------------------------------------------
INSERT INTO MsFormula (Sifra, Naziv, Formula, UserZap, UserSpre) VALUES
  ('KOL10',   'Količinski popust 10 % od 10 kosov', '[#KOLICINA#>9:#VPCENA1#*0.9]#VPCENA1#', '00', '00'),
  ('MARZA25', 'Nabavna cena + 25 %',                '#NABACENA#*1.25',                        '00', '00'),
  ('VPC+5',   'VP cena + 5 %',                      '#VPCENA1#*1.05',                         '00', '00'),
  ('POG',     'Pogodbena cena + 2 %',               '#POGCENA#*1.02',                         '00', '00'),
  ('NAPAKA',  'Napačna formula',                    '[1=1]',                                  '00', '00');


-- ---------------------------------------------------------------------------------------------
-- Business events
--   G1, G2  template groups (Vrsta 'G')
--   10      issued invoices; department Prodaja, issuer the main warehouse
--   11      issued invoices for services: no department (the user's is taken), default
--           partner "Kupec na drobno" (with a yearly statement), item cost fields copied
--           (PolPreCene 'T')
--   12      issued invoices abroad
--   20      received invoices (Vrsta 'F', Tip 'P'): never made by the runs
--   07      sale orders (Vrsta 'N', Tip 'P')
--   08      purchase orders (Vrsta 'N', Tip 'N')
-- ---------------------------------------------------------------------------------------------
INSERT INTO PoslDog (PoslDog, Naziv, NazivKratki, Vrsta, Tip, Oddelek, Izdajatelj, Prejemnik,
                     Oseba3, PolPreCene, PolProdCene, PolNabCene, KontoDB, KontoKR,
                     UserZap, UserSpre) VALUES
  ('G1', 'Periodika - najemnine',           'PER-1', 'G', '',  '',        '',                 '',                '', 'F', 'F', 'F', '',       '',       '00', '00'),
  ('G2', 'Periodika - naročila, ostalo',    'PER-2', 'G', '',  '',        '',                 '',                '', 'F', 'F', 'F', '',       '',       '00', '00'),
  ('10', 'Izdani računi',                   'IR',    'F', 'I', 'Prodaja', 'Glavno skladišče', '',                '', 'F', 'T', 'F', '120000', '760000', '00', '00'),
  ('11', 'Izdani računi - storitve',        'IRS',   'F', 'I', '',        'Glavno skladišče', 'Kupec na drobno', '', 'T', 'T', 'F', '120000', '760000', '00', '00'),
  ('12', 'Izdani računi - tujina',          'IRT',   'F', 'I', 'Izvoz',   'Glavno skladišče', '',                '', 'F', 'T', 'F', '121000', '760000', '00', '00'),
  ('20', 'Prejeti računi',                  'PR',    'F', 'P', 'Nabava',  '',                 'Glavno skladišče', '', 'F', 'F', 'T', '',      '220000', '00', '00'),
  ('07', 'Naročila kupcev',                 'NK',    'N', 'P', 'Prodaja', 'Glavno skladišče', '',                '', 'F', 'T', 'F', '',       '',       '00', '00'),
  ('08', 'Naročila dobaviteljem',           'ND',    'N', 'N', 'Nabava',  '',                 'Glavno skladišče', '', 'F', 'F', 'T', '',      '',       '00', '00');


-- ---------------------------------------------------------------------------------------------
-- Partners (Subjekt), keyed by name. Customer types (TipPartnerjaO):
--   VZD  Avtoservis Šinkovec, Cvetličarna Cvet, Čistilni servis Čisto, Dr. Novak Peter,
--        Frizerski salon Urška                        (template 25G100006)
--   JAV  Šolski center Škofja Loka, Dom starejših Šiška, Zobna ordinacija dr. Žnidar,
--        Občina Grosuplje                             (template 25G200003)
--   NAJ, VEL, MAL, TUJ: others; PRAZNO has no partner.
-- Price methods (NacIzrCene): Cvetličarna '1' (retail price, difference as discount),
-- Čistilni servis '2' (net price). Sale modes (NacProdaje): 'K' ordinary, 'Z' reduced rate
-- (Čebelarstvo Žužek, Knjigarna Konzorcij), 'I' without tax (foreign partners), empty for
-- Kmetija Žagar. Price classes 1 to 3; Šport Špik has '0' (counts as 1).
-- ---------------------------------------------------------------------------------------------
INSERT INTO Subjekt (Naziv, Naslov, Posta, Drzava, Tel, Sifra, MaticnaStev, Ziro1,
                     Kupec, Dobavitelj, TipPartnerjaO, TipPartnerjaI, CenRazred, Rabat,
                     NacIzrCene, NacProdaje, Valuta, DniZaPlac, NacinPlac, Dostava, Izjava,
                     Referent, Oddelek, VodZaloge, UserZap, UserSpre) VALUES
  ('Glavno skladišče',             'Tržaška cesta 2',       '1000 Ljubljana',     'Slovenija', '01 200 10 00', 'SI10000001', '1000000001', 'SI56 0201 0001 0000 001', 'F', 'F', '',    '',    '1', 0,  '',  'K', 'EUR', 0,  'TRR', 'OSEBNO', '',    '01', 'Skladišče', 'R', '00', '00'),
  ('Mlekarna Čarman d.o.o.',       'Mlekarska ulica 5',     '4000 Kranj',         'Slovenija', '04 201 33 10', 'SI21436587', '5123456000', 'SI56 0700 0000 1234 567', 'T', 'F', 'VEL', '',    '2', 5,  '',  'K', 'EUR', 30, 'TRR', 'FCO',    '',    '02', '', '', '00', '00'),
  ('O''Neil d.o.o.',               'Celovška cesta 150',    '1000 Ljubljana',     'Slovenija', '01 510 20 30', 'SI33445566', '6234567000', 'SI56 0201 0002 2222 333', 'T', 'F', 'NAJ', '',    '1', 0,  '',  'K', 'EUR', 15, 'TRR', 'OSEBNO', '',    '01', '', '', '00', '00'),
  ('Žito d.d.',                    'Šmartinska cesta 154',  '1000 Ljubljana',     'Slovenija', '01 587 30 00', 'SI44556677', '5043611000', 'SI56 0292 2001 2345 678', 'T', 'F', 'VEL', '',    '1', 3,  '',  'K', 'EUR', 30, 'TRR', 'FCO',    '',    '02', '', '', '00', '00'),
  ('Čebelarstvo Žužek s.p.',       'Lipica 12',             '4220 Škofja Loka',   'Slovenija', '04 512 44 55', 'SI55667788', '3456789000', 'SI56 0510 0801 4567 890', 'T', 'F', 'MAL', '',    '3', 0,  '',  'Z', 'EUR', 8,  'GOT', 'OSEBNO', '',    '02', '', '', '00', '00'),
  ('Šolski center Škofja Loka',    'Podlubnik 1b',          '4220 Škofja Loka',   'Slovenija', '04 506 23 00', 'SI66778899', '5049121000', 'SI56 0110 0600 0012 345', 'T', 'F', 'JAV', '',    '1', 10, '',  'K', 'EUR', 45, 'TRR', 'FCO',    '',    '01', '', '', '00', '00'),
  ('Avtoservis Šinkovec d.o.o.',   'Industrijska cesta 8',  '1290 Grosuplje',     'Slovenija', '01 786 11 22', 'SI77889900', '1987654000', 'SI56 0202 0003 3333 444', 'T', 'F', 'VZD', '',    '1', 0,  '',  'K', 'EUR', 30, 'TRR', 'OSEBNO', '',    '02', '', '', '00', '00'),
  ('Cvetličarna Cvet s.p.',        'Glavni trg 3',          '2000 Maribor',       'Slovenija', '02 250 66 77', 'SI88990011', '2876543000', 'SI56 0451 5000 1111 222', 'T', 'F', 'VZD', '',    '3', 0,  '1', 'K', 'EUR', 15, 'TRR', 'POSTA',  '',    '02', '', '', '00', '00'),
  ('Čistilni servis Čisto d.o.o.', 'Cesta v Mestni log 55', '1000 Ljubljana',     'Slovenija', '01 420 88 99', 'SI99001122', '3765432000', 'SI56 0201 0004 4444 555', 'T', 'F', 'VZD', '',    '1', 10, '2', 'K', 'EUR', 30, 'TRR', 'OSEBNO', '',    '01', '', '', '00', '00'),
  ('Dom starejših Šiška',          'Kunaverjeva ulica 1',   '1000 Ljubljana',     'Slovenija', '01 500 67 00', 'SI10111213', '5054231000', 'SI56 0110 0600 0023 456', 'T', 'F', 'JAV', '',    '1', 5,  '',  'K', 'EUR', 30, 'TRR', 'FCO',    '',    '01', '', '', '00', '00'),
  ('Kupec na drobno',              '',                      '1000 Ljubljana',     'Slovenija', '',             '',           '',           '',                        'T', 'F', 'MAL', '',    '3', 0,  '',  'K', 'EUR', 0,  'GOT', 'OSEBNO', 'LETNA', '02', '', '', '00', '00'),
  ('Gostišče Pri Lojzetu',         'Vaška pot 7',           '8000 Novo mesto',    'Slovenija', '07 332 10 10', 'SI12131415', '6543210000', 'SI56 0297 0001 5555 666', 'T', 'F', 'NAJ', '',    '3', 0,  '',  'K', 'EUR', 8,  'TRR', 'OSEBNO', '',    '02', '', '', '00', '00'),
  ('Zobna ordinacija dr. Žnidar',  'Zdravstvena pot 4',     '3000 Celje',         'Slovenija', '03 425 55 66', 'SI13141516', '7654321000', 'SI56 0600 0000 6666 777', 'T', 'F', 'JAV', '',    '1', 0,  '',  'K', 'EUR', 30, 'TRR', 'POSTA',  '',    '01', '', '', '00', '00'),
  ('Acme Trading Ltd.',            '100 Main Street',       'New York, NY 10001', 'ZDA',       '+1 212 555 0100', 'US-98-7654321', '',     'US12 3456 7890 1234',     'T', 'F', 'TUJ', '',    '1', 0,  '',  'I', 'USD', 60, 'TRR', 'EXW',    'IZV',  '01', '', '', '00', '00'),
  ('Alpine Systems GmbH',          'Mariahilfer Straße 10', '1060 Wien',          'Avstrija',  '+43 1 555 20 20', 'ATU12345678', '',       'AT61 1904 3002 3457 3201', 'T', 'F', 'TUJ', '',   '1', 2,  '',  'I', 'EUR', 30, 'TRR', 'EXW',    'EU',   '01', '', '', '00', '00'),
  ('London Books Ltd.',            '12 Fleet Street',       'London EC4Y 1AA',    'Združeno kraljestvo', '+44 20 7946 0000', 'GB123456789', '', 'GB29 NWBK 6016 1331 9268 19', 'T', 'F', 'TUJ', '', '1', 0, '', 'I', 'GBP', 30, 'TRR', 'EXW', 'IZV', '01', '', '', '00', '00'),
  ('Računalniki Kos d.o.o.',       'Tehnološki park 19',    '1000 Ljubljana',     'Slovenija', '01 620 40 40', 'SI14151617', '2345678000', 'SI56 0201 0005 7777 888', 'F', 'T', '',    'DOB', '1', 0,  '',  'K', 'EUR', 30, 'TRR', 'FCO',    '',    '03', '', '', '00', '00'),
  ('Tech Supply Inc.',             '500 Market Street',     'San Francisco, CA',  'ZDA',       '+1 415 555 0199', 'US-12-3456789', '',     'US98 7654 3210 9876',     'F', 'T', '',    'DOB', '1', 0,  '',  'I', 'USD', 45, 'TRR', 'EXW',    '',    '03', '', '', '00', '00'),
  ('Petrol Energetika d.o.o.',     'Dunajska cesta 50',     '1000 Ljubljana',     'Slovenija', '01 471 40 00', 'SI15161718', '5025796000', 'SI56 0201 0006 8888 999', 'F', 'T', '',    'DOB', '1', 0,  '',  'K', 'EUR', 15, 'TRR', 'FCO',    '',    '03', '', '', '00', '00'),
  ('Papirnica Vevče d.o.o.',       'Papirniški trg 1',      '1000 Ljubljana',     'Slovenija', '01 587 80 00', 'SI16171819', '5034035000', 'SI56 0201 0007 9999 000', 'T', 'T', 'VEL', 'DOB', '2', 4,  '',  'K', 'EUR', 30, 'TRR', 'FCO',    '',    '02', '', '', '00', '00'),
  ('Elektro Ljubljana d.d.',       'Slovenska cesta 58',    '1000 Ljubljana',     'Slovenija', '01 230 40 00', 'SI17181920', '5227992000', 'SI56 0201 0008 1010 101', 'T', 'F', 'NAJ', '',    '1', 0,  '',  'K', 'EUR', 30, 'TRR', 'OSEBNO', '',    '01', '', '', '00', '00'),
  ('Hotel Union d.d.',             'Miklošičeva cesta 1',   '1000 Ljubljana',     'Slovenija', '01 308 12 70', 'SI18192021', '5005853000', 'SI56 0201 0009 2020 202', 'T', 'F', 'NAJ', '',    '2', 0,  '',  'K', 'EUR', 30, 'TRR', 'OSEBNO', '',    '02', '', '', '00', '00'),
  ('Občina Grosuplje',             'Taborska cesta 2',      '1290 Grosuplje',     'Slovenija', '01 788 85 00', 'SI19202122', '5880351000', 'SI56 0110 0010 0303 030', 'T', 'F', 'JAV', '',    '1', 0,  '',  'K', 'EUR', 30, 'TRR', 'POSTA',  '',    '01', '', '', '00', '00'),
  ('Knjigarna Konzorcij',          'Slovenska cesta 29',    '1000 Ljubljana',     'Slovenija', '01 241 25 00', 'SI20212223', '5046688000', 'SI56 0201 0010 4040 404', 'T', 'F', 'MAL', '',    '1', 0,  '',  'Z', 'EUR', 15, 'TRR', 'POSTA',  '',    '02', '', '', '00', '00'),
  ('Frizerski salon Urška',        'Trubarjeva ulica 15',   '6000 Koper',         'Slovenija', '05 627 12 12', 'SI21222324', '1234987000', 'SI56 1010 0000 5050 505', 'T', 'F', 'VZD', '',    '3', 0,  '',  'K', 'EUR', 8,  'GOT', 'OSEBNO', '',    '02', '', '', '00', '00'),
  ('Dr. Novak Peter s.p.',         'Prešernova ulica 9',    '5000 Nova Gorica',   'Slovenija', '05 333 44 55', 'SI22232425', '2233445000', 'SI56 0475 0000 6060 606', 'T', 'F', 'VZD', '',    '1', 0,  '',  'K', 'EUR', 15, 'TRR', 'POSTA',  '',    '01', '', '', '00', '00'),
  ('Kmetija Žagar',                'Zgornja vas 3',         '9000 Murska Sobota', 'Slovenija', '02 521 00 11', '',           '',           '',                        'T', 'F', 'MAL', '',    '1', 0,  '',  '',  'EUR', 0,  'GOT', 'OSEBNO', '',    '02', '', '', '00', '00'),
  ('Bistro Čuk',                   'Čopova ulica 4',        '1000 Ljubljana',     'Slovenija', '01 426 70 70', 'SI23242526', '3344556000', 'SI56 0201 0011 7070 707', 'T', 'F', 'NAJ', '',    '2', 0,  '',  'K', 'EUR', 15, 'TRR', 'OSEBNO', '',    '02', '', '', '00', '00'),
  ('Šport Špik d.o.o.',            'Kranjska cesta 20',     '4000 Kranj',         'Slovenija', '04 280 10 20', 'SI24252627', '4455667000', 'SI56 0700 0000 8080 808', 'T', 'F', 'VEL', '',    '0', 2,  '',  'K', 'EUR', 30, 'TRR', 'FCO',    '',    '02', '', '', '00', '00'),
  ('Zavarovalnica Triglav d.d.',   'Miklošičeva cesta 19',  '1000 Ljubljana',     'Slovenija', '01 474 72 00', 'SI25262728', '5063345000', 'SI56 0201 0012 9090 909', 'T', 'F', 'VEL', '',    '1', 0,  '',  'K', 'EUR', 30, 'TRR', 'FCO',    '',    '01', '', '', '00', '00'),
  ('Mizarstvo Hrast d.o.o.',       'Gozdna pot 11',         '8000 Novo mesto',    'Slovenija', '07 393 20 30', 'SI26272829', '6677889000', 'SI56 0297 0002 1212 121', 'T', 'T', 'VEL', 'DOB', '1', 0,  '',  'K', 'EUR', 30, 'TRR', 'FCO',    '',    '02', '', '', '00', '00');

-- Yearly statements of customers (copied into the invoice's Dokument1/DatDokum1).
UPDATE Subjekt SET LetnaIzjava = 'LI-2025/17', DatumIzj = '2025/01/15' WHERE Naziv = 'Kupec na drobno';
UPDATE Subjekt SET LetnaIzjava = 'IZJ-44/2025', DatumIzj = '2025/02/03' WHERE Naziv = 'Šolski center Škofja Loka';

-- Terms as a supplier.
UPDATE Subjekt SET DobValuta = 'EUR', DobDniZaPlac = 30, DobRabat = 8, DobNacIzrCene = '',
                   DobNacProdaje = 'K', DobNacinPlac = 'TRR', DobDostava = 'FCO', DobIzjava = '',
                   DobReferent = '03'
  WHERE Naziv = 'Računalniki Kos d.o.o.';
UPDATE Subjekt SET DobValuta = 'USD', DobDniZaPlac = 45, DobRabat = 0, DobNacIzrCene = '',
                   DobNacProdaje = 'I', DobNacinPlac = 'TRR', DobDostava = 'EXW', DobIzjava = 'IZV',
                   DobReferent = '03'
  WHERE Naziv = 'Tech Supply Inc.';
UPDATE Subjekt SET DobValuta = 'EUR', DobDniZaPlac = 15, DobRabat = 2, DobNacIzrCene = '2',
                   DobNacProdaje = 'K', DobNacinPlac = 'TRR', DobDostava = 'FCO', DobIzjava = '',
                   DobReferent = '03'
  WHERE Naziv = 'Petrol Energetika d.o.o.';
UPDATE Subjekt SET DobValuta = 'EUR', DobDniZaPlac = 30, DobRabat = 5, DobNacIzrCene = '',
                   DobNacProdaje = 'K', DobNacinPlac = 'KOMP', DobDostava = 'FCO', DobIzjava = '',
                   DobReferent = '03'
  WHERE Naziv IN ('Papirnica Vevče d.o.o.', 'Mizarstvo Hrast d.o.o.');

-- Credit limits (a column whose name is reserved in PostgreSQL, hence quoted).
UPDATE Subjekt SET "limit" = 5000 WHERE Kupec = 'T' AND Valuta = 'EUR';

-- Contact persons; the one with the lowest Poz is the partner's first contact.
INSERT INTO KontOs (Subjekt, Poz, KontOseba, Tel, Email, UserZap, UserSpre) VALUES
  ('Mlekarna Čarman d.o.o.',     1, 'Marko Čarman',     '04 201 33 11', 'marko@mlekarna-carman.si', '00', '00'),
  ('Mlekarna Čarman d.o.o.',     2, 'Petra Kos',        '04 201 33 12', 'petra@mlekarna-carman.si', '00', '00'),
  ('O''Neil d.o.o.',             2, 'Patrick O''Neil',  '01 510 20 31', 'patrick@oneil.si',         '00', '00'),
  ('O''Neil d.o.o.',             1, 'Mary O''Neil',     '01 510 20 32', 'mary@oneil.si',            '00', '00'),
  ('Žito d.d.',                  5, 'Tomaž Šuštar',     '01 587 30 10', 'tomaz.sustar@zito.si',     '00', '00'),
  ('Hotel Union d.d.',           1, 'Recepcija',        '01 308 12 70', 'recepcija@union.si',       '00', '00'),
  ('Zavarovalnica Triglav d.d.', 1, 'Nina Žnidaršič',   '01 474 72 10', 'nina@triglav.si',          '00', '00'),
  ('Šolski center Škofja Loka',  1, 'Matej Čadež',      '04 506 23 10', 'matej.cadez@scsl.si',      '00', '00'),
  ('Računalniki Kos d.o.o.',     1, 'Jure Kos',         '01 620 40 41', 'jure@racunalniki-kos.si',  '00', '00'),
  ('Tech Supply Inc.',           1, 'John Smith',       '+1 415 555 0198', 'john@techsupply.com',   '00', '00'),
  ('Acme Trading Ltd.',          1, 'Bob Miller',       '+1 212 555 0101', 'bob@acme.example',      '00', '00');


-- ---------------------------------------------------------------------------------------------
-- Items (MS). Prices in the item's Valuta (EUR unless stated). MPCena is the retail price with
-- tax. Items in USD: LIC-*; in GBP: KNJ-ENG. Excise: GOR-* per litre (Trosarina), ALK-ZGANJE
-- in percent (TrosarinaP). Services (kind STO, Tip 'S'). STARO-01 is inactive.
-- Missing item codes named by template lines: UKINJENO-99, UKINJENO-1, UKINJENO-2.
-- ---------------------------------------------------------------------------------------------
INSERT INTO MS (Ident, Naziv, EM, Aktivno, Klasif, VrstaMS, TS, TSZnizana, Valuta, VPCena, VPCena2,
                MPCena, NabaCena, ValutaDob, CenaDob, Sestavnica, Popust, Rabat, Trosarina,
                TrosarinaP, Formula, Garancija, Dobavitelj, Koda, Oddelek, UserZap, UserSpre) VALUES
  -- rents and services
  ('NAJ-PIS',    'Najem poslovnega prostora',      'MES', 'T', 'NAJ',  'STO', '22', '22', 'EUR', 850,    800,    NULL, 0,      'EUR', 0,      0,    0, 0, 0,    0,  '',      0,  '',                         '',              'Najemnine', '00', '00'),
  ('NAJ-PARK',   'Najem parkirnega mesta',         'MES', 'T', 'NAJ',  'STO', '22', '22', 'EUR', 60,     55,     NULL, 0,      'EUR', 0,      0,    0, 0, 0,    0,  '',      0,  '',                         '',              'Najemnine', '00', '00'),
  ('NAJ-SKL',    'Najem skladiščnega prostora',    'M2',  'T', 'NAJ',  'STO', '22', '22', 'EUR', 4.5,    4.2,    NULL, 0,      'EUR', 0,      0,    0, 0, 0,    0,  '',      0,  '',                         '',              'Najemnine', '00', '00'),
  ('VZD-RAC',    'Vzdrževanje računalnikov',       'MES', 'T', 'STOR', 'STO', '22', '22', 'EUR', 120,    110,    NULL, 0,      'EUR', 0,      0,    0, 0, 0,    0,  '',      0,  '',                         '',              'Servis',    '00', '00'),
  ('VZD-SW',     'Vzdrževanje programske opreme',  'MES', 'T', 'STOR', 'STO', '22', '22', 'EUR', 75,     70,     NULL, 0,      'EUR', 0,      0,    0, 0, 0,    0,  'KOL10', 0,  '',                         '',              'Servis',    '00', '00'),
  ('VZD-KLI',    'Servis klimatskih naprav',       'KOS', 'T', 'STOR', 'STO', '22', '22', 'EUR', 95,     90,     NULL, 40,     'EUR', 38,     0,    0, 0, 0,    0,  '',      0,  '',                         '',              'Servis',    '00', '00'),
  ('STO-URA',    'Svetovanje - ura dela',          'URA', 'T', 'SVET', 'STO', '22', '22', 'EUR', 45,     42,     NULL, 0,      'EUR', 0,      0,    0, 0, 0,    0,  '',      0,  '',                         '',              '',          '00', '00'),
  ('STO-CIS',    'Čiščenje poslovnih prostorov',   'MES', 'T', 'SVET', 'STO', '22', '22', 'EUR', 320,    300,    NULL, 0,      'EUR', 0,      0,    0, 0, 0,    0,  '',      0,  '',                         '',              '',          '00', '00'),
  ('STO-VAR',    'Varovanje objekta',              'MES', 'T', 'SVET', 'STO', '22', '22', 'EUR', 210,    200,    NULL, 0,      'EUR', 0,      0,    0, 0, 0,    0,  '',      0,  '',                         '',              '',          '00', '00'),
  ('STO-KNJ',    'Knjigovodske storitve',          'MES', 'T', 'SVET', 'STO', '22', '22', 'EUR', 180,    170,    NULL, 0,      'EUR', 0,      0,    0, 0, 0,    0,  'VPC+5', 0,  '',                         '',              '',          '00', '00'),
  ('STO-GOST',   'Gostovanje spletne strani',      'MES', 'T', 'SVET', 'STO', '22', '22', 'EUR', 15,     14,     NULL, 0,      'EUR', 0,      0,    0, 0, 0,    0,  '',      0,  '',                         '',              '',          '00', '00'),
  ('STO-DOM',    'Registracija domene .si',        'KOS', 'T', 'SVET', 'STO', '22', '22', 'EUR', 12,     12,     NULL, 8,      'EUR', 8,      0,    0, 0, 0,    0,  '',      0,  '',                         '',              '',          '00', '00'),
  ('STO-IZOB',   'Izobraževanje - tečaj',          'KOS', 'T', 'SVET', 'STO', '00', '00', 'EUR', 250,    230,    NULL, 0,      'EUR', 0,      0,    0, 0, 0,    0,  '',      0,  '',                         '',              '',          '00', '00'),
  ('ZAV-POL',    'Zavarovalna polica opreme',      'KOS', 'T', 'OST',  'STO', '00', '00', 'EUR', 150,    150,    NULL, 0,      'EUR', 0,      0,    0, 0, 0,    0,  '',      0,  '',                         '',              '',          '00', '00'),
  -- licences, priced in US dollars
  ('LIC-OFF',    'Licenca pisarniški paket',       'KOS', 'T', 'LIC',  'BLA', '22', '22', 'USD', 99,     95,     NULL, 64.40,  'USD', 70,     0,    0, 5, 0,    0,  '',      12, 'Tech Supply Inc.',         '',              '',          '00', '00'),
  ('LIC-AV',     'Protivirusna zaščita - letna',   'KOS', 'T', 'LIC',  'BLA', '22', '22', 'USD', 35,     32,     NULL, 23.00,  'USD', 25,     0,    0, 0, 0,    0,  '',      12, 'Tech Supply Inc.',         '',              '',          '00', '00'),
  ('LIC-CLOUD',  'Oblačna hramba 1 TB - mesec',    'MES', 'T', 'LIC',  'STO', '22', '22', 'USD', 9.99,   9.49,   NULL, 6.44,   'USD', 7,      0,    0, 0, 0,    0,  '',      0,  'Tech Supply Inc.',         '',              '',          '00', '00'),
  -- computers
  ('RAC-NB15',   'Prenosni računalnik 15"',        'KOS', 'T', 'RAC',  'BLA', '22', '22', 'EUR', 890,    850,    NULL, 700,    'EUR', 690,    0,    2, 5, 0,    0,  '',      24, 'Računalniki Kos d.o.o.',   '3830001000011', '',          '00', '00'),
  ('RAC-MON24',  'Monitor 24"',                    'KOS', 'T', 'RAC',  'BLA', '22', '22', 'EUR', 160,    150,    NULL, 118,    'EUR', 115,    0,    0, 5, 0,    0,  '',      24, 'Računalniki Kos d.o.o.',   '3830001000028', '',          '00', '00'),
  ('RAC-TIP',    'Tipkovnica in miška',            'KOM', 'T', 'RAC',  'BLA', '22', '22', 'EUR', 35,     32,     NULL, 22,     'EUR', 21,     0,    0, 0, 0,    0,  '',      12, 'Računalniki Kos d.o.o.',   '3830001000035', '',          '00', '00'),
  ('RAC-TIS',    'Laserski tiskalnik',             'KOS', 'T', 'RAC',  'BLA', '22', '22', 'EUR', 240,    225,    NULL, 180,    'EUR', 175,    0,    0, 3, 0,    0,  '',      24, 'Računalniki Kos d.o.o.',   '3830001000042', '',          '00', '00'),
  ('RAC-KOMPL',  'Delovna postaja - komplet',      'KOM', 'T', 'RAC',  'PRO', '22', '22', 'EUR', 1350,   1290,   NULL, 0,      'EUR', 0,      1290, 0, 0, 0,    0,  '',      24, '',                         '3830001000059', '',          '00', '00'),
  ('RAC-TONER',  'Toner za tiskalnik',             'KOS', 'T', 'RAC',  'BLA', '22', '22', 'EUR', 65,     60,     NULL, 45,     'EUR', 44,     0,    0, 0, 0,    0,  '',      0,  'Računalniki Kos d.o.o.',   '3830001000066', '',          '00', '00'),
  -- office supplies
  ('PIS-PAP',    'Papir A4 80 g (500 listov)',     'PAK', 'T', 'PIS',  'BLA', '22', '22', 'EUR', 4.20,   3.90,   NULL, 3.10,   'EUR', 3.00,   0,    0, 3, 0,    0,  '',      0,  'Papirnica Vevče d.o.o.',   '3830002000010', '',          '00', '00'),
  ('PIS-REG',    'Registrator A4',                 'KOS', 'T', 'PIS',  'BLA', '22', '22', 'EUR', 2.10,   1.95,   NULL, 1.20,   'EUR', 1.15,   0,    0, 0, 0,    0,  '',      0,  'Papirnica Vevče d.o.o.',   '3830002000027', '',          '00', '00'),
  ('PIS-KUV',    'Kuverte C5 (50 kosov)',          'PAK', 'T', 'PIS',  'BLA', '22', '22', 'EUR', 3.50,   3.20,   NULL, 2.00,   'EUR', 1.90,   0,    0, 0, 0,    0,  '',      0,  'Papirnica Vevče d.o.o.',   '3830002000034', '',          '00', '00'),
  ('PIS-SVIN',   'Svinčnik HB',                    'KOS', 'T', 'PIS',  'BLA', '22', '22', 'EUR', 0.35,   0.31,   NULL, 0.12,   'EUR', 0.11,   0,    0, 0, 0,    0,  '',      0,  '',                         '3830002000041', '',          '00', '00'),
  -- food at the reduced rate
  ('ZIV-MLEKO',  'Mleko 3,5 % 1 l',                'L',   'T', 'ZIV',  'BLA', '95', '95', 'EUR', 0.89,   0.85,   NULL, 0.60,   'EUR', 0.60,   0,    0, 0, 0,    0,  '',      0,  'Mlekarna Čarman d.o.o.',   '3830003000019', '',          '00', '00'),
  ('ZIV-KAVA',   'Kava v zrnju 1 kg',              'KG',  'T', 'ZIV',  'BLA', '95', '95', 'EUR', 14.50,  13.80,  NULL, 9.50,   'EUR', 9.50,   0,    2, 0, 0,    0,  '',      0,  '',                         '3830003000026', '',          '00', '00'),
  ('ZIV-VODA',   'Voda v plastenki 0,5 l',         'KOS', 'T', 'ZIV',  'BLA', '95', '95', 'EUR', 0.45,   0.40,   NULL, 0.20,   'EUR', 0.20,   0,    0, 0, 0,    0,  '',      0,  '',                         '3830003000033', '',          '00', '00'),
  ('ZIV-MED',    'Cvetlični med 900 g',            'KOS', 'T', 'ZIV',  'BLA', '95', '95', 'EUR', 9.80,   9.20,   NULL, 7.00,   'EUR', 7.00,   0,    0, 0, 0,    0,  '',      0,  'Čebelarstvo Žužek s.p.',   '3830003000040', '',          '00', '00'),
  ('ZIV-SAD',    'Sadni koš',                      'KOS', 'T', 'ZIV',  'BLA', '22', '95', 'EUR', 25,     23,     NULL, 15,     'EUR', 15,     0,    0, 0, 0,    0,  '',      0,  '',                         '3830003000057', '',          '00', '00'),
  -- books at the special reduced rate
  ('KNJ-PRI',    'Priročnik za DDV',               'KOS', 'T', 'KNJ',  'BLA', '05', '05', 'EUR', 39,     37,     NULL, 25,     'EUR', 25,     0,    0, 0, 0,    0,  '',      0,  '',                         '9789610000011', '',          '00', '00'),
  ('KNJ-REV',    'Revija Računovodja - naročnina', 'MES', 'T', 'KNJ',  'BLA', '05', '05', 'EUR', 12.50,  12.00,  NULL, 8,      'EUR', 8,      0,    0, 0, 0,    0,  '',      0,  '',                         '',              '',          '00', '00'),
  ('KNJ-ENG',    'English Grammar in Use',         'KOS', 'T', 'KNJ',  'BLA', '05', '05', 'GBP', 32,     30,     NULL, 30,     'GBP', 24,     0,    0, 0, 0,    0,  '',      0,  'London Books Ltd.',        '9781108457651', '',          '00', '00'),
  -- excise goods
  ('GOR-DIZ',    'Dizelsko gorivo',                'L',   'T', 'GOR',  'TRO', '22', '22', 'EUR', 1.05,   1.02,   NULL, 0.90,   'EUR', 0.88,   0,    0, 0, 0.42, 0,  '',      0,  'Petrol Energetika d.o.o.', '',              '',          '00', '00'),
  ('GOR-KUR',    'Kurilno olje',                   'L',   'T', 'GOR',  'TRO', '22', '22', 'EUR', 0.85,   0.82,   NULL, 0.70,   'EUR', 0.69,   0,    0, 0, 0.18, 0,  '',      0,  'Petrol Energetika d.o.o.', '',              '',          '00', '00'),
  ('ALK-ZGANJE', 'Žganje slivovka 0,5 l',          'KOS', 'T', 'ALK',  'TRO', '22', '22', 'EUR', 12,     11.50,  NULL, 7,      'EUR', 7,      0,    0, 0, 0,    15, '',      0,  '',                         '3830004000015', '',          '00', '00'),
  -- material
  ('MAT-KABEL',  'UTP kabel Cat6',                 'M',   'T', 'MAT',  'MAT', '22', '22', 'EUR', 0.60,   0.55,   NULL, 0.30,   'EUR', 0.29,   0,    0, 0, 0,    0,  '',      0,  '',                         '',              '',          '00', '00'),
  ('MAT-VTIC',   'Vtič RJ45',                      'KOS', 'T', 'MAT',  'MAT', '22', '22', 'EUR', 0.25,   0.22,   NULL, 0.08,   'EUR', 0.08,   0,    0, 0, 0,    0,  '',      0,  '',                         '',              '',          '00', '00'),
  -- others
  ('DAR-BON',    'Darilni bon ''Vikend''',         'KOS', 'T', 'OST',  'BLA', '00', '00', 'EUR', 100,    100,    NULL, 0,      'EUR', 0,      0,    0, 0, 0,    0,  '',      0,  '',                         '',              '',          '00', '00'),
  ('STARO-01',   'Ukinjen artikel',                'KOS', 'F', 'OST',  'BLA', '22', '22', 'EUR', 10,     9,      NULL, 5,      'EUR', 5,      0,    0, 0, 0,    0,  '',      0,  '',                         '',              '',          '00', '00');

-- Derived item fields: tax rate from the tax code, retail price with tax, sale price, margins.
UPDATE MS SET Davek = T.Davek FROM TarSt T WHERE T.TS = MS.TS;
UPDATE MS SET MPCena = round(VPCena * (1 + Davek / 100)::numeric, 2) WHERE MPCena IS NULL;
UPDATE MS SET ProdCena = VPCena, Cena = VPCena,
              VPCenaP  = CASE WHEN NabaCena > 0 THEN round(((VPCena / NabaCena - 1) * 100)::numeric, 2) ELSE 0 END,
              VPCena2P = CASE WHEN NabaCena > 0 THEN round(((VPCena2 / NabaCena - 1) * 100)::numeric, 2) ELSE 0 END,
              MPCenaP  = Davek,
              Transport = 0, Dajatve = 0, NepStr = 0, VRDavek = 0,
              EM2 = '', EMToEM2 = 1, CarTarifa = '';
-- Cost fields copied into invoice lines by an event with PolPreCene 'T' (event 11).
UPDATE MS SET Transport = 2.50, Dajatve = 1.20, NepStr = 0.80, VRDavek = 0.50
  WHERE Ident IN ('VZD-KLI', 'RAC-NB15', 'RAC-MON24');


-- ---------------------------------------------------------------------------------------------
-- Exchange rates: value of one unit of the currency in euros, at two banks, valid from Datum.
--   BSI  documents and customs (BANKASLOVENIJE, BANKACARINA); no CHF rates
--   NLB  price lists (BANKACENIK)
-- The dates are relative: 90, 30 and 7 days back, plus a fixed start of 2025 and one rate
-- that only becomes valid in 30 days (never used before then).
-- ---------------------------------------------------------------------------------------------
INSERT INTO Tecaj (Banka, Valuta, Datum, Tecaj, UserZap, UserSpre) VALUES
  ('BSI', 'EUR', '2025/01/01',       1,      '00', '00'),
  ('BSI', 'USD', '2025/01/01',       0.9600, '00', '00'),
  ('BSI', 'USD', CURRENT_DATE - 90,  0.9350, '00', '00'),
  ('BSI', 'USD', CURRENT_DATE - 30,  0.9250, '00', '00'),
  ('BSI', 'USD', CURRENT_DATE - 7,   0.9200, '00', '00'),
  ('BSI', 'USD', CURRENT_DATE + 30,  0.9000, '00', '00'),
  ('BSI', 'GBP', '2025/01/01',       1.2000, '00', '00'),
  ('BSI', 'GBP', CURRENT_DATE - 90,  1.1800, '00', '00'),
  ('BSI', 'GBP', CURRENT_DATE - 30,  1.1700, '00', '00'),
  ('BSI', 'GBP', CURRENT_DATE - 7,   1.1650, '00', '00'),
  ('NLB', 'EUR', '2025/01/01',       1,      '00', '00'),
  ('NLB', 'USD', '2025/01/01',       0.9550, '00', '00'),
  ('NLB', 'USD', CURRENT_DATE - 90,  0.9300, '00', '00'),
  ('NLB', 'USD', CURRENT_DATE - 30,  0.9200, '00', '00'),
  ('NLB', 'USD', CURRENT_DATE - 7,   0.9150, '00', '00'),
  ('NLB', 'GBP', '2025/01/01',       1.1950, '00', '00'),
  ('NLB', 'GBP', CURRENT_DATE - 30,  1.1650, '00', '00'),
  ('NLB', 'GBP', CURRENT_DATE - 7,   1.1600, '00', '00'),
  ('NLB', 'CHF', '2025/01/01',       1.0600, '00', '00'),
  ('NLB', 'CHF', CURRENT_DATE - 7,   1.0700, '00', '00');


-- ---------------------------------------------------------------------------------------------
-- Contract price lists (SubjektCenik). PreIzd 'P' sale, 'N' purchase.
-- Sale rows by partner and item, by partner and classification, by partner type and item,
-- by partner type and classification; rows naming formulas (one of them malformed).
-- ---------------------------------------------------------------------------------------------
INSERT INTO SubjektCenik (Subjekt, Ident, PreIzd, Tip, Valuta, Cena, Rabat, Formula,
                          DobavniRok, RokPlacila, UserZap, UserSpre) VALUES
  -- partner + item: contract price
  ('Mlekarna Čarman d.o.o.',    'ZIV-KAVA',  'P', 'S', 'EUR', 12.90, 0,  '',        0,  30, '00', '00'),
  -- partner + classification: contract discount only (price from the price-class formula)
  ('Mlekarna Čarman d.o.o.',    'PIS',       'P', 'S', 'EUR', 0,     15, '',        0,  30, '00', '00'),
  -- partner + item: the contract rent of O'Neil
  ('O''Neil d.o.o.',            'NAJ-PIS',   'P', 'S', 'EUR', 780,   0,  '',        0,  15, '00', '00'),
  -- partner type + item: parking for all tenants
  ('NAJ',                       'NAJ-PARK',  'P', 'T', 'EUR', 50,    0,  '',        0,  30, '00', '00'),
  -- partner type + classification: 10 % on maintenance for maintenance contracts
  ('VZD',                       'STOR',      'P', 'T', 'EUR', 0,     10, '',        0,  30, '00', '00'),
  -- partner type + item with a formula, price and discount 0: the formula decides
  ('VZD',                       'VZD-RAC',   'P', 'T', 'EUR', 0,     0,  'KOL10',   0,  30, '00', '00'),
  -- partner + item in US dollars
  ('Acme Trading Ltd.',         'LIC-OFF',   'P', 'S', 'USD', 89,    5,  '',        0,  60, '00', '00'),
  -- partner + classification with a formula and a discount
  ('Šolski center Škofja Loka', 'RAC',       'P', 'S', 'EUR', 0,     12, 'MARZA25', 0,  45, '00', '00'),
  -- partner + item: contract price raised by a formula
  ('Hotel Union d.d.',          'STO-CIS',   'P', 'S', 'EUR', 290,   3,  'POG',     0,  30, '00', '00'),
  -- partner + item naming a malformed formula: falls back to the price-class formula
  ('Dom starejših Šiška',       'VZD-KLI',   'P', 'S', 'EUR', 0,     0,  'NAPAKA',  0,  30, '00', '00'),
  -- purchase rows
  ('Računalniki Kos d.o.o.',    'RAC-NB15',  'N', 'S', 'EUR', 680,   3,  '',        5,  30, '00', '00'),
  ('Tech Supply Inc.',          'LIC',       'N', 'S', 'USD', 0,     10, '',        2,  45, '00', '00'),
  ('DOB',                       'PIS-PAP',   'N', 'T', 'EUR', 3.60,  0,  '',        3,  30, '00', '00');


-- ---------------------------------------------------------------------------------------------
-- Periodic templates (Obdrac) and their lines (ObdracPoz).
-- StevObrokov and DatumZak of open templates are filled in below so that they reach a year
-- past the day of loading and keep DatumZak = Datum + StevObrokov * Periodika.
-- ---------------------------------------------------------------------------------------------
INSERT INTO Obdrac (Kljuc, PoslDog, Datum, Subjekt, Tip, Periodika, NacIzrCene, DatZadFak,
                    PoslDogFak, Valuta, StevObrokov, Aktivno, DatumZak, UserZap, UserSpre) VALUES
  -- G1: rents and services
  ('25G100001', 'G1', '2025/01/02', 'Mlekarna Čarman d.o.o.',       'P', 30,  'T', NULL,              '10', 'EUR', NULL, 'T', NULL,         '01', '01'),
  ('25G100002', 'G1', '2025/01/02', 'O''Neil d.o.o.',               'P', 30,  'F', CURRENT_DATE - 40, '10', 'EUR', NULL, 'T', NULL,         '01', '01'),
  ('25G100003', 'G1', '2025/01/15', 'Žito d.d.',                    'P', 30,  'T', CURRENT_DATE - 5,  '10', 'EUR', NULL, 'T', NULL,         '01', '01'),
  ('25G100004', 'G1', '2025/02/01', 'Gostišče Pri Lojzetu',         'P', 30,  'T', NULL,              '10', 'EUR', NULL, 'F', NULL,         '01', '01'),
  ('25G100005', 'G1', '2025/01/10', 'Elektro Ljubljana d.d.',       'P', 30,  'T', '2025/07/20',      '10', 'EUR', 6,    'T', '2025/07/09', '01', '01'),
  ('25G100006', 'G1', '2025/01/05', 'VZD',                          'T', 30,  'T', CURRENT_DATE - 35, '11', 'EUR', NULL, 'T', NULL,         '01', '01'),
  ('25G100007', 'G1', '2025/03/01', 'PRAZNO',                       'T', 30,  'T', NULL,              '10', 'EUR', NULL, 'T', NULL,         '01', '01'),
  ('25G100008', 'G1', '2025/02/01', 'Hotel Union d.d.',             'P', 30,  'T', CURRENT_DATE - 31, '10', 'EUR', NULL, 'T', NULL,         '01', '01'),
  ('25G100009', 'G1', '2025/02/01', 'Bistro Čuk',                   'P', 30,  'T', NULL,              '10', 'EUR', NULL, 'T', NULL,         '01', '01'),
  ('25G100010', 'G1', '2025/03/01', 'Acme Trading Ltd.',            'P', 90,  'T', CURRENT_DATE - 100,'12', 'EUR', NULL, 'T', NULL,         '01', '01'),
  ('25G100011', 'G1', '2025/01/01', 'Kupec na drobno',              'P', 365, 'T', NULL,              '10', 'EUR', 0,    'T', NULL,         '01', '01'),
  ('25G100012', 'G1', '2025/01/01', 'Čebelarstvo Žužek s.p.',       'P', 30,  'T', CURRENT_DATE - 60, '10', 'EUR', NULL, 'T', NULL,         '01', '01'),
  -- G2: orders and others
  ('25G200001', 'G2', '2025/01/03', 'Zavarovalnica Triglav d.d.',   'P', 30,  'T', NULL,              '07', 'EUR', NULL, 'T', NULL,         '01', '01'),
  ('25G200002', 'G2', '2025/01/03', 'Računalniki Kos d.o.o.',       'P', 30,  'T', CURRENT_DATE - 45, '08', 'EUR', NULL, 'T', NULL,         '01', '01'),
  ('25G200003', 'G2', '2025/01/03', 'JAV',                          'T', 30,  'T', CURRENT_DATE - 30, '07', 'EUR', NULL, 'T', NULL,         '01', '01'),
  ('25G200004', 'G2', '2025/01/03', 'Tech Supply Inc.',             'P', 0,   'F', CURRENT_DATE - 1,  '08', 'EUR', 0,    'T', CURRENT_DATE + 365, '01', '01'),
  ('25G200005', 'G2', '2025/01/03', 'Neznani partner d.o.o.',       'P', 30,  'T', NULL,              '10', 'EUR', NULL, 'T', NULL,         '01', '01'),
  ('25G200006', 'G2', '2025/01/03', 'Mizarstvo Hrast d.o.o.',       'P', 30,  'T', NULL,              '10', 'EUR', NULL, 'T', NULL,         '01', '01'),
  ('25G200007', 'G2', '2025/01/03', 'Dom starejših Šiška',          'P', 30,  'T', CURRENT_DATE - 3,  '07', 'EUR', NULL, 'T', NULL,         '01', '01'),
  ('25G200008', 'G2', '2025/01/03', 'Papirnica Vevče d.o.o.',       'P', 30,  'T', NULL,              '20', 'EUR', NULL, 'T', NULL,         '01', '01');

-- Open templates: enough periods to run a year past today (timestamp + integer adds days).
UPDATE Obdrac SET StevObrokov = ((CURRENT_DATE + 365) - Datum::date) / Periodika + 1
  WHERE StevObrokov IS NULL AND Periodika > 0;
UPDATE Obdrac SET DatumZak = Datum + StevObrokov * Periodika
  WHERE DatumZak IS NULL AND StevObrokov > 0;

INSERT INTO ObdracPoz (Kljuc, Poz, Ident, Naziv, Kolicina, Cena, Rabat, Opomba, UserZap, UserSpre) VALUES
  ('25G100001',  5, 'ZIV-KAVA',    'Kava v zrnju 1 kg',              10, 0,   0, '',                                '01', '01'),
  ('25G100001', 10, 'PIS-PAP',     'Papir A4 80 g (500 listov)',     20, 0,   0, 'Dostava v pisarno',               '01', '01'),
  ('25G100001', 15, 'VZD-SW',      'Vzdrževanje programske opreme',   1, 0,   0, '',                                '01', '01'),
  ('25G100002',  5, 'NAJ-PIS',     'Najem poslovnega prostora',       1, 800, 0, 'Najemnina za tekoči mesec',       '01', '01'),
  ('25G100002', 10, 'NAJ-PARK',    'Najem parkirnega mesta',          2, 55,  5, 'Parkirni mesti št. 12 in 13',     '01', '01'),
  ('25G100003',  5, 'STO-GOST',    'Gostovanje spletne strani',       1, 0,   0, '',                                '01', '01'),
  ('25G100003', 10, 'STO-DOM',     'Registracija domene .si',         1, 0,   0, 'Domena zito.si',                  '01', '01'),
  ('25G100004',  5, 'NAJ-PIS',     'Najem poslovnega prostora',       1, 0,   0, '',                                '01', '01'),
  ('25G100005',  5, 'NAJ-SKL',     'Najem skladiščnega prostora',   120, 0,   0, '120 m2',                          '01', '01'),
  ('25G100006',  5, 'VZD-RAC',     'Vzdrževanje računalnikov',        1, 0,   0, 'Po pogodbi o vzdrževanju',        '01', '01'),
  ('25G100006', 10, 'VZD-KLI',     'Servis klimatskih naprav',        2, 0,   0, '',                                '01', '01'),
  ('25G100006', 15, 'STO-URA',     'Svetovanje - ura dela',           3, 0,   0, 'Mesečni pavšal ur',               '01', '01'),
  ('25G100007',  5, 'STO-URA',     'Svetovanje - ura dela',           1, 0,   0, '',                                '01', '01'),
  ('25G100008',  5, 'STO-CIS',     'Čiščenje poslovnih prostorov',    1, 0,   0, '',                                '01', '01'),
  ('25G100008', 10, 'UKINJENO-99', 'Ukinjena storitev',               1, 50,  0, 'Artikel ne obstaja več',          '01', '01'),
  ('25G100008', 15, 'STO-VAR',     'Varovanje objekta',               1, 0,   0, '',                                '01', '01'),
  ('25G100010',  5, 'LIC-OFF',     'Licenca pisarniški paket',        5, 0,   0, 'Letna licenca',                   '01', '01'),
  ('25G100010', 10, 'LIC-CLOUD',   'Oblačna hramba 1 TB - mesec',     3, 0,   0, '',                                '01', '01'),
  ('25G100010', 15, 'RAC-NB15',    'Prenosni računalnik 15"',         1, 0,   0, 'Najem opreme',                    '01', '01'),
  ('25G100011',  5, 'KNJ-PRI',     'Priročnik za DDV',                1, 0,   0, '',                                '01', '01'),
  ('25G100011', 10, 'KNJ-REV',     'Revija Računovodja - naročnina', 12, 0,   0, 'Letna naročnina',                 '01', '01'),
  ('25G100012',  5, 'PIS-PAP',     'Papir A4 80 g (500 listov)',      5, 0,   0, '',                                '01', '01'),
  ('25G100012', 10, 'STO-KNJ',     'Knjigovodske storitve',           1, 0,   0, 'Mesečno knjigovodstvo',           '01', '01'),
  ('25G100012', 15, 'ZIV-SAD',     'Sadni koš',                       2, 0,   0, '',                                '01', '01'),
  ('25G200001',  5, 'PIS-PAP',     'Papir A4 80 g (500 listov)',     50, 0,   0, '',                                '01', '01'),
  ('25G200001', 10, 'RAC-TONER',   'Toner za tiskalnik',              4, 0,   0, '',                                '01', '01'),
  ('25G200001', 15, 'ZIV-VODA',    'Voda v plastenki 0,5 l',         48, 0,   0, 'Za sejno sobo',                   '01', '01'),
  ('25G200002',  5, 'RAC-NB15',    'Prenosni računalnik 15"',         2, 0,   0, '',                                '01', '01'),
  ('25G200002', 10, 'RAC-MON24',   'Monitor 24"',                     2, 0,   0, '',                                '01', '01'),
  ('25G200002', 15, 'PIS-PAP',     'Papir A4 80 g (500 listov)',     10, 0,   0, '',                                '01', '01'),
  ('25G200003',  5, 'ZIV-KAVA',    'Kava v zrnju 1 kg',               2, 0,   0, '',                                '01', '01'),
  ('25G200003', 10, 'PIS-PAP',     'Papir A4 80 g (500 listov)',     10, 0,   0, '',                                '01', '01'),
  ('25G200004',  5, 'LIC-AV',      'Protivirusna zaščita - letna',   10, 30,  0, '',                                '01', '01'),
  ('25G200004', 10, 'LIC-CLOUD',   'Oblačna hramba 1 TB - mesec',     1, 9,   0, '',                                '01', '01'),
  ('25G200005',  5, 'STO-URA',     'Svetovanje - ura dela',           2, 0,   0, '',                                '01', '01'),
  ('25G200006',  5, 'UKINJENO-1',  'Ukinjen artikel 1',               1, 10,  0, '',                                '01', '01'),
  ('25G200006', 10, 'UKINJENO-2',  'Ukinjen artikel 2',               1, 20,  0, '',                                '01', '01'),
  ('25G200007',  5, 'VZD-KLI',     'Servis klimatskih naprav',        1, 0,   0, '',                                '01', '01'),
  ('25G200008',  5, 'PIS-PAP',     'Papir A4 80 g (500 listov)',    100, 0,   0, '',                                '01', '01');


-- ---------------------------------------------------------------------------------------------
-- Existing documents, so that numbering continues from them.
--   Invoices: this year's event 10 up to counter 00003 and event 12 counter 00001 (keys begin
--   with the last two digits of the current year); 2024's event 10 up to 00018.
--   Orders: this year's event 07 up to 00002; 2024's event 08 counter 00005.
-- ---------------------------------------------------------------------------------------------
INSERT INTO Promet (Kljuc, Referent, Oddelek, Izdajatelj, Prejemnik, Oseba3, Datum, PoslDog,
                    DatumDDV, DatumVal, DniZaPlac, Valuta, Tecaj, PrejemnikZal, IzdajateljZal,
                    PotrjeneCene, Vrednost, VredValuta, ZaPlacilo, Popust, Davek, DavekDDV,
                    CenRazred, NacProdaje, Knjizen, Rabat, Transport, Dajatve, NepStr, VrDavek,
                    Dokument1, Dokument2, Dostava, Izjava, KontOseba, KontOseba3, NacinPlac,
                    NamenNak1, NamenNak2, NamenNak3, Oblika, OblikaFak, OblikaTL, Opomba,
                    Sifra1, Sifra2, Sifra3, SklicNaStev1, SklicNaStev2, UserSpre, UserZap, KontoDB)
SELECT d.kljuc, '01', 'Prodaja', 'Glavno skladišče', d.prejemnik, '', d.datum, d.posldog,
       d.datum, d.datum + d.dni, d.dni, d.valuta, d.tecaj, 'N', 'N',
       'F', d.vrednost, 0, d.vrednost - d.popust + d.davek, d.popust, d.davek, 0,
       '1', d.nacprodaje, d.knjizen, 0, 0, 0, 0, 0,
       '', '', 'FCO', '', '', '', 'TRR',
       '', '', '', '', '', '', '',
       '', '', '', '', '', '01', '01', ''
FROM (VALUES
  -- this year (date: today, or 1 January when today is early in the year)
  (to_char(CURRENT_DATE, 'YY') || '1000001', 'Mlekarna Čarman d.o.o.', CURRENT_DATE - 20, '10', 30, 'EUR', 1.0,    207.00, 11.70, 26.85, 'K', 'T'),
  (to_char(CURRENT_DATE, 'YY') || '1000002', 'Žito d.d.',              CURRENT_DATE - 20, '10', 30, 'EUR', 1.0,     27.00,  0.81,  5.76, 'K', 'T'),
  (to_char(CURRENT_DATE, 'YY') || '1000003', 'O''Neil d.o.o.',         CURRENT_DATE - 10, '10', 15, 'EUR', 1.0,    910.00,  5.50, 198.99, 'K', 'F'),
  (to_char(CURRENT_DATE, 'YY') || '1200001', 'Acme Trading Ltd.',      CURRENT_DATE - 10, '12', 60, 'USD', 0.9200, 495.00, 24.75,  0.00, 'I', 'F'),
  -- 2024
  ('241000017',                              'Hotel Union d.d.',       '2024/12/02',      '10', 30, 'EUR', 1.0,    300.00,  0.00, 66.00, 'K', 'T'),
  ('241000018',                              'Bistro Čuk',             '2024/12/20',      '10', 15, 'EUR', 1.0,     60.00,  0.00, 13.20, 'K', 'T')
) AS d(kljuc, prejemnik, datum, posldog, dni, valuta, tecaj, vrednost, popust, davek, nacprodaje, knjizen);

-- Keep this year's documents inside this year when the demo is loaded in early January.
UPDATE Promet SET Datum = date_trunc('year', CURRENT_DATE)::date,
                  DatumDDV = date_trunc('year', CURRENT_DATE)::date,
                  DatumVal = date_trunc('year', CURRENT_DATE)::date + DniZaPlac
  WHERE Datum < date_trunc('year', CURRENT_DATE)::date AND Kljuc LIKE to_char(CURRENT_DATE, 'YY') || '%';

INSERT INTO PrometPoz (Kljuc, Poz, Ident, Naziv, EM, TS, Oddelek, TSDDV, DavekDDV, KontoKr,
                       Kolicina, KolicinaTemp, Cena, Rabat, Davek, Dajatve, VpCena2P, VpCenaP,
                       MpCenaP, NepStr, Transport, CenaZaVred, CenaValuta, MPCena, VPCena, VPCena2,
                       VRDavek, ProdCena, VPoz, KolicPak, Trosarina, TrosarinaP, FieldL, Garancija,
                       Opomba, Poreklo, StevPak, TipIzjavePoreklo, UserSpre, UserZap, VKljuc)
SELECT p.kljuc, p.poz, p.ident, m.Naziv, m.EM, p.ts, 'Prodaja', m.TS, p.davek, '',
       p.kolicina, 0, p.cena, p.rabat, p.davek, 0, m.VPCena2P, m.VPCenaP,
       m.MPCenaP, 0, 0, 0, 0, m.MPCena, m.VPCena, m.VPCena2,
       0, m.ProdCena, 0, 0, 0, 0, 'F', m.Garancija,
       '', '', '', '', '01', '01', ''
FROM (VALUES
  (to_char(CURRENT_DATE, 'YY') || '1000001', 1, 'ZIV-KAVA', 10.0, 12.90, 0.0, '95', 9.5),
  (to_char(CURRENT_DATE, 'YY') || '1000001', 2, 'PIS-PAP',  20.0,  3.90, 15.0, '22', 22.0),
  (to_char(CURRENT_DATE, 'YY') || '1000002', 1, 'PIS-PAP',   6.0,  4.50, 3.0, '22', 22.0),
  (to_char(CURRENT_DATE, 'YY') || '1000003', 1, 'NAJ-PIS',   1.0, 800.00, 0.0, '22', 22.0),
  (to_char(CURRENT_DATE, 'YY') || '1000003', 2, 'NAJ-PARK',  2.0, 55.00, 5.0, '22', 22.0),
  (to_char(CURRENT_DATE, 'YY') || '1200001', 1, 'LIC-OFF',   5.0, 89.00, 5.0, '00', 0.0),
  (to_char(CURRENT_DATE, 'YY') || '1200001', 2, 'LIC-CLOUD', 5.0, 10.00, 5.0, '00', 0.0),
  ('241000017', 1, 'STO-CIS', 1.0, 300.00, 0.0, '22', 22.0),
  ('241000018', 1, 'NAJ-PARK', 1.0, 60.00, 0.0, '22', 22.0)
) AS p(kljuc, poz, ident, kolicina, cena, rabat, ts, davek)
JOIN MS m ON m.Ident = p.ident;

INSERT INTO Naroc (Kljuc, Datum, PoslDog, Potrjeno, Referent, Oddelek, CenRazred, NacProdaje,
                   DniZaPlac, DniZaVelj, DatumVelj, Valuta, Narocnik, NacinPlac, Dostava,
                   KontOseba, KontOseba3, Prejemnik, UserSpre, UserZap, DatDokum1, DatDokum2,
                   Davek, Dokument1, Dokument2, Izjava, Opomba, Popust, RokDobave, Vrednost,
                   ZaPlacilo)
SELECT n.kljuc, n.datum, n.posldog, 'F', '01', n.oddelek, '1', 'K',
       30, 30, n.datum + 30, 'EUR', n.narocnik, 'TRR', 'FCO',
       n.oseba, n.oseba, n.narocnik, '01', '01', NULL, NULL,
       n.davek, '', '', '', '', 0, NULL, n.vrednost,
       n.vrednost + n.davek
FROM (VALUES
  (to_char(CURRENT_DATE, 'YY') || '0700001', greatest(CURRENT_DATE - 15, date_trunc('year', CURRENT_DATE)::date), '07', 'Prodaja', 'Zavarovalnica Triglav d.d.', 'Nina Žnidaršič', 210.00, 46.20),
  (to_char(CURRENT_DATE, 'YY') || '0700002', greatest(CURRENT_DATE - 15, date_trunc('year', CURRENT_DATE)::date), '07', 'Prodaja', 'Šolski center Škofja Loka',  'Matej Čadež',     71.00, 12.00),
  ('240800005', '2024/11/15'::date, '08', 'Nabava', 'Računalniki Kos d.o.o.', 'Jure Kos', 1360.00, 299.20)
) AS n(kljuc, datum, posldog, oddelek, narocnik, oseba, vrednost, davek);

INSERT INTO NarocPoz (Kljuc, Poz, Cena, Davek, EM, Ident, Kolicina, KolicinaOdpr, KolicPak, Naziv,
                      Opomba, ProdCena, Rabat, RokDobave, Trosarina, TrosarinaP, TS, UserSpre,
                      UserZap, VKljuc, VPoz)
SELECT n.kljuc, n.poz, n.cena, n.davek, m.EM, n.ident, n.kolicina, 0, 0, m.Naziv,
       '', 0, 0, NULL, 0, 0, n.ts, '01', '01', '', 0
FROM (VALUES
  (to_char(CURRENT_DATE, 'YY') || '0700001', 1, 'PIS-PAP',   50.0,   4.20, 22.0, '22'),
  (to_char(CURRENT_DATE, 'YY') || '0700002', 1, 'ZIV-KAVA',   2.0,  14.50,  9.5, '95'),
  (to_char(CURRENT_DATE, 'YY') || '0700002', 2, 'PIS-PAP',   10.0,   4.20, 22.0, '22'),
  ('240800005', 1, 'RAC-NB15', 2.0, 680.00, 22.0, '22')
) AS n(kljuc, poz, ident, kolicina, cena, davek, ts)
JOIN MS m ON m.Ident = n.ident;

-- Report definitions: none here; the report catalogue is filled by the program and its
-- report designer.

-- =============================================================================================
-- Second demo company "Mala firma s.p.": a small company database, so that switching company
-- at login visibly changes the data (other partners, items and templates, rounding to 0.05,
-- no minimum password length).
--
-- Template key -> scenario:
--   25G100001  partner, never invoiced                 -> due, invoice event 10
--   25G100002  partner, last document 10 days ago      -> not yet due
--   25G100003  partner, sale order event 07            -> due (35 days ago)
-- =============================================================================================

SET client_min_messages = warning;

-- ---------------------------------------------------------------------------------------------
-- Company parameters
-- ---------------------------------------------------------------------------------------------
INSERT INTO Param (
  TSBREZDAVKA, ROUNDT, NASAVALUTA, BANKASLOVENIJE, BANKACARINA, BANKACENIK,
  NAROCDNIZAVELJ, NASEPODJETJE, DRZAVA, SEDEZNAOBCINA, MINDOLZINAGESLA,
  AVTOKONTROLADAT, AVTODATUMVSTOPA, POLNIREFIZSUBJ, NACIZRRABATA, NACIZRRABSUM,
  OSNZAIZRPRODCENE, FORMULACENRAZRED, FORMULANABACENA, FORMULAKOSOVNICA,
  VRSTAMS, DECMESTCENA, DECMESTKOLICINA, USERZAP, USERSPRE)
VALUES (
  '00', 0.05, 'EUR', 'BSI', 'BSI', 'BSI',
  15, 'Mala firma s.p.', 'Slovenija', 'Maribor', 0,
  'F', CURRENT_DATE - 1, 'T', 'S', 'F',
  'V', '[#CENRAZRED#=2:#VPCENA2#]#VPCENA1#', '#NNABACENA#', '',
  'BLA', 2, 2, '00', '00');


-- ---------------------------------------------------------------------------------------------
-- Users: the same code 01 as in the first demo company, here without a password.
-- ---------------------------------------------------------------------------------------------
INSERT INTO ODDel (UserID, Delavec, Geslo, Oddelek, UserZap, UserSpre) VALUES
  ('00', 'Sistem',    '', 'Informatika', '00', '00'),
  ('01', 'Ana Kovač', '', 'Uprava',      '00', '00');

INSERT INTO AvtorFunkcija (Funkcija, FunkcijaNad, Naziv, UserZap, UserSpre) VALUES
  ('VEKTOR',    '',       'Programski paket',        '00', '00'),
  ('PERIODIKA', 'VEKTOR', 'Periodično fakturiranje', '00', '00');

INSERT INTO Avtor (UserID, Funkcija, Dovoljeno, DniZaSpremembo, UserZap, UserSpre) VALUES
  ('01', 'PERIODIKA', 'T', 0, '00', '00');


-- ---------------------------------------------------------------------------------------------
-- Code tables
-- ---------------------------------------------------------------------------------------------
INSERT INTO Valuta (Valuta, Naziv, Drzava, Poreklo, UserZap, UserSpre) VALUES
  ('EUR', 'Evro', 'Slovenija', 'SI', '00', '00');

INSERT INTO TipPartnerja (TipPartnerja, Naziv, UserZap, UserSpre) VALUES
  ('STA', 'Stalne stranke', '00', '00');

INSERT INTO Klasifikacija (Klasif, Naziv, UserZap, UserSpre) VALUES
  ('NAJ', 'Najemnine', '00', '00'),
  ('SIV', 'Šiviljske storitve', '00', '00'),
  ('PEK', 'Pekovski izdelki', '00', '00');

INSERT INTO EM (EM, Naziv, UserZap, UserSpre) VALUES
  ('KOS', 'kos',   '00', '00'),
  ('MES', 'mesec', '00', '00'),
  ('URA', 'ura',   '00', '00');

INSERT INTO NacPlac (NacinPlac, Naziv, UserZap, UserSpre) VALUES
  ('TRR', 'Nakazilo na TRR', '00', '00'),
  ('GOT', 'Gotovina',        '00', '00');

INSERT INTO NacDost (Dostava, Naziv, UserZap, UserSpre) VALUES
  ('OSEBNO', 'Osebni prevzem', '00', '00');

INSERT INTO Posta (Posta, Naziv, UserZap, UserSpre) VALUES
  ('2000 Maribor', 'Maribor', '00', '00'),
  ('2250 Ptuj',    'Ptuj',    '00', '00');


-- ---------------------------------------------------------------------------------------------
-- Tax rates, item kinds, business events
-- ---------------------------------------------------------------------------------------------
INSERT INTO TarSt (TS, Naziv, TarifStev, Davek, DDVSeObracuna, DDVSeUposteva, UserZap, UserSpre) VALUES
  ('22', 'Splošna stopnja 22 %',  '1', 22,  'T', 'T', '00', '00'),
  ('95', 'Znižana stopnja 9,5 %', '2', 9.5, 'T', 'T', '00', '00'),
  ('00', 'Oproščeno 0 %',         '0', 0,   'F', 'F', '00', '00');

INSERT INTO VrstaMS (VrstaMS, Naziv, Tip, UserZap, UserSpre) VALUES
  ('BLA', 'Blago',    'B', '00', '00'),
  ('STO', 'Storitve', 'S', '00', '00');

INSERT INTO PoslDog (PoslDog, Naziv, NazivKratki, Vrsta, Tip, Oddelek, Izdajatelj, Prejemnik,
                     Oseba3, PolPreCene, UserZap, UserSpre) VALUES
  ('G1', 'Periodika',        'PER', 'G', '',  '',       '', '', '', 'F', '00', '00'),
  ('10', 'Izdani računi',    'IR',  'F', 'I', 'Uprava', '', '', '', 'F', '00', '00'),
  ('07', 'Naročila kupcev',  'NK',  'N', 'P', 'Uprava', '', '', '', 'F', '00', '00');


-- ---------------------------------------------------------------------------------------------
-- Partners and contact persons
-- ---------------------------------------------------------------------------------------------
INSERT INTO Subjekt (Naziv, Naslov, Posta, Drzava, Tel, Sifra, Kupec, Dobavitelj,
                     TipPartnerjaO, TipPartnerjaI, CenRazred, Rabat, NacIzrCene, NacProdaje,
                     Valuta, DniZaPlac, NacinPlac, Dostava, Izjava, Referent, UserZap, UserSpre) VALUES
  ('Pekarna Hlebček d.o.o.', 'Krušna ulica 3',  '2000 Maribor', 'Slovenija', '02 300 10 10', 'SI31323334', 'T', 'F', 'STA', '', '1', 0, '', 'K', 'EUR', 30, 'TRR', 'OSEBNO', '', '01', '00', '00'),
  ('Trgovina Pri Mojci',     'Glavni trg 8',    '2250 Ptuj',    'Slovenija', '02 780 20 20', 'SI41424344', 'T', 'F', 'STA', '', '2', 5, '', 'K', 'EUR', 15, 'TRR', 'OSEBNO', '', '01', '00', '00'),
  ('Šivilja Žana s.p.',      'Šivalna pot 1',   '2000 Maribor', 'Slovenija', '02 400 30 30', 'SI51525354', 'T', 'F', '',    '', '1', 0, '', 'K', 'EUR', 8,  'GOT', 'OSEBNO', '', '01', '00', '00'),
  ('Kavarna Čokolada',       'Slovenska ul. 2', '2000 Maribor', 'Slovenija', '02 500 40 40', 'SI61626364', 'T', 'F', '',    '', '1', 0, '', 'K', 'EUR', 8,  'GOT', 'OSEBNO', '', '01', '00', '00');

INSERT INTO KontOs (Subjekt, Poz, KontOseba, Tel, UserZap, UserSpre) VALUES
  ('Pekarna Hlebček d.o.o.', 1, 'Boris Hlebec', '02 300 10 11', '00', '00'),
  ('Šivilja Žana s.p.',      1, 'Žana Šumer',   '02 400 30 31', '00', '00');


-- ---------------------------------------------------------------------------------------------
-- Items
-- ---------------------------------------------------------------------------------------------
INSERT INTO MS (Ident, Naziv, EM, Aktivno, Klasif, VrstaMS, TS, TSZnizana, Valuta, VPCena, VPCena2,
                MPCena, ProdCena, Cena, NabaCena, ValutaDob, CenaDob, Sestavnica, Popust, Rabat,
                Trosarina, TrosarinaP, Formula, Garancija, Davek, UserZap, UserSpre) VALUES
  ('NAJ-LOK',  'Najem lokala',           'MES', 'T', 'NAJ', 'STO', '22', '22', 'EUR', 450,  420,  549,   450,  450,  0,   'EUR', 0,   0, 0, 0, 0, 0, '', 0, 22,  '00', '00'),
  ('SIV-URA',  'Šiviljske storitve',     'URA', 'T', 'SIV', 'STO', '22', '22', 'EUR', 25,   23,   30.5,  25,   25,   0,   'EUR', 0,   0, 0, 0, 0, 0, '', 0, 22,  '00', '00'),
  ('SIV-POP',  'Popravilo oblačil',      'KOS', 'T', 'SIV', 'STO', '22', '22', 'EUR', 8.5,  8,    10.37, 8.5,  8.5,  0,   'EUR', 0,   0, 0, 0, 0, 0, '', 0, 22,  '00', '00'),
  ('PEK-KRUH', 'Kruh polbeli 1 kg',      'KOS', 'T', 'PEK', 'BLA', '95', '95', 'EUR', 2.10, 1.95, 2.30,  2.10, 2.10, 1.2, 'EUR', 1.2, 0, 0, 0, 0, 0, '', 0, 9.5, '00', '00'),
  ('PEK-ROG',  'Rogljič z marmelado',    'KOS', 'T', 'PEK', 'BLA', '95', '95', 'EUR', 0.95, 0.90, 1.04,  0.95, 0.95, 0.5, 'EUR', 0.5, 0, 0, 0, 0, 0, '', 0, 9.5, '00', '00');

INSERT INTO Tecaj (Banka, Valuta, Datum, Tecaj, UserZap, UserSpre) VALUES
  ('BSI', 'EUR', '2025/01/01', 1, '00', '00');


-- ---------------------------------------------------------------------------------------------
-- Periodic templates
-- ---------------------------------------------------------------------------------------------
INSERT INTO Obdrac (Kljuc, PoslDog, Datum, Subjekt, Tip, Periodika, NacIzrCene, DatZadFak,
                    PoslDogFak, Valuta, StevObrokov, Aktivno, DatumZak, UserZap, UserSpre) VALUES
  ('25G100001', 'G1', '2025/03/01', 'Pekarna Hlebček d.o.o.', 'P', 30, 'T', NULL,              '10', 'EUR', NULL, 'T', NULL, '01', '01'),
  ('25G100002', 'G1', '2025/03/01', 'Trgovina Pri Mojci',     'P', 30, 'F', CURRENT_DATE - 10, '10', 'EUR', NULL, 'T', NULL, '01', '01'),
  ('25G100003', 'G1', '2025/03/01', 'Šivilja Žana s.p.',      'P', 30, 'T', CURRENT_DATE - 35, '07', 'EUR', NULL, 'T', NULL, '01', '01');

UPDATE Obdrac SET StevObrokov = ((CURRENT_DATE + 365) - Datum::date) / Periodika + 1
  WHERE StevObrokov IS NULL AND Periodika > 0;
UPDATE Obdrac SET DatumZak = Datum + StevObrokov * Periodika
  WHERE DatumZak IS NULL AND StevObrokov > 0;

INSERT INTO ObdracPoz (Kljuc, Poz, Ident, Naziv, Kolicina, Cena, Rabat, Opomba, UserZap, UserSpre) VALUES
  ('25G100001',  5, 'NAJ-LOK',  'Najem lokala',        1,  0,   0, 'Najemnina za tekoči mesec', '01', '01'),
  ('25G100002',  5, 'PEK-KRUH', 'Kruh polbeli 1 kg',  30,  2,   0, 'Dnevna dostava',            '01', '01'),
  ('25G100002', 10, 'PEK-ROG',  'Rogljič z marmelado', 60, 0.9, 5, '',                          '01', '01'),
  ('25G100003',  5, 'SIV-URA',  'Šiviljske storitve',  4,  0,   0, '',                          '01', '01'),
  ('25G100003', 10, 'SIV-POP',  'Popravilo oblačil',   2,  0,   0, '',                          '01', '01');


-- ---------------------------------------------------------------------------------------------
-- One existing invoice of this year (event 10, counter 00004)
-- ---------------------------------------------------------------------------------------------
INSERT INTO Promet (Kljuc, Referent, Oddelek, Izdajatelj, Prejemnik, Oseba3, Datum, PoslDog,
                    DatumDDV, DatumVal, DniZaPlac, Valuta, Tecaj, PrejemnikZal, IzdajateljZal,
                    PotrjeneCene, Vrednost, VredValuta, ZaPlacilo, Popust, Davek, DavekDDV,
                    CenRazred, NacProdaje, Knjizen, Rabat, Transport, Dajatve, NepStr, VrDavek,
                    Dokument1, Dokument2, Dostava, Izjava, KontOseba, KontOseba3, NacinPlac,
                    Opomba, UserSpre, UserZap, KontoDB)
VALUES (to_char(CURRENT_DATE, 'YY') || '1000004', '01', 'Uprava', '', 'Pekarna Hlebček d.o.o.', '',
        CURRENT_DATE, '10', CURRENT_DATE, CURRENT_DATE + 30, 30, 'EUR', 1, 'N', 'N',
        'F', 450, 0, 549, 0, 99, 0,
        '1', 'K', 'F', 0, 0, 0, 0, 0,
        '', '', 'OSEBNO', '', 'Boris Hlebec', 'Boris Hlebec', 'TRR',
        '', '01', '01', '');

INSERT INTO PrometPoz (Kljuc, Poz, Ident, Naziv, EM, TS, Oddelek, TSDDV, DavekDDV, Kolicina,
                       KolicinaTemp, Cena, Rabat, Davek, MPCena, VPCena, VPCena2, ProdCena, VPoz,
                       KolicPak, Trosarina, TrosarinaP, FieldL, Garancija, Opomba, UserSpre, UserZap, VKljuc)
VALUES (to_char(CURRENT_DATE, 'YY') || '1000004', 1, 'NAJ-LOK', 'Najem lokala', 'MES', '22', 'Uprava', '22', 22, 1,
        0, 450, 0, 22, 549, 450, 420, 450, 0,
        0, 0, 0, 'F', 0, '', '01', '01', '');

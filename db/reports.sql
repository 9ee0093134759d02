-- One shipped report definition, added or brought up to date (scripts/dbsetup.sh runs it once
-- per line of db/reports/reports.tsv with the variables code, name, form and data, the
-- definition's text). The print options of an existing row (PREVIEW, NOOFCOPY, DEFAULTPRINTER...)
-- stay as the company set them; the user's own variants (codes from A00 up) are not touched.
INSERT INTO Report (Report, Naziv, FormName, ParentFormName, DefaultPrinter, Preview, ReportData,
                    MaxKosLevel, Izjava, IzjavaNad, IzjavaZni, ZamenjajPredZnak, PrintIfEmpty,
                    UserZap, UserSpre, PrintToText, NoOfCopy)
VALUES (:'code', :'name', :'form', :'form', 'Privzet tiskalnik', 'T', convert_to(:'data', 'UTF8'),
        0, 'Na podlagi izjave kupca št. %s z dne %s ', 'prometni davek ni bil obračunan.',
        'je bil davek obračunan po znižani stopnji.', 'F', 'F', '00', '00', 'F', 1)
ON CONFLICT (Report) DO UPDATE
  SET Naziv = EXCLUDED.Naziv, FormName = EXCLUDED.FormName, ParentFormName = EXCLUDED.ParentFormName,
      ReportData = EXCLUDED.ReportData, UserSpre = '00', DatumSpre = LOCALTIMESTAMP(0)
  WHERE Report.Naziv IS DISTINCT FROM EXCLUDED.Naziv
     OR Report.FormName IS DISTINCT FROM EXCLUDED.FormName
     OR Report.ParentFormName IS DISTINCT FROM EXCLUDED.ParentFormName
     OR Report.ReportData IS DISTINCT FROM EXCLUDED.ReportData;

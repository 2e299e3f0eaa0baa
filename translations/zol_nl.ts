<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="nl_NL">
<context>
    <name>zol::AdministrationForm</name>
    <message>
        <source>New administration</source>
        <translation>Nieuwe administratie</translation>
    </message>
    <message>
        <source>Edit administration</source>
        <translation>Administratie bewerken</translation>
    </message>
    <message>
        <source>The next number would be %1</source>
        <translation>Het volgende nummer wordt %1</translation>
    </message>
    <message>
        <source>Remove %1 from the list?</source>
        <translation>%1 uit de lijst verwijderen?</translation>
    </message>
    <message>
        <source>Its hours stay on this computer and on its own studio folder. This only takes it out of the switcher, and it can be added back.</source>
        <translation>De uren blijven op deze computer en in de eigen studiomap staan. Dit haalt de administratie alleen uit de keuzelijst; je kunt haar later weer toevoegen.</translation>
    </message>
    <message>
        <source>Empty %1 on this computer?</source>
        <translation>%1 op deze computer leegmaken?</translation>
    </message>
    <message>
        <source>Every session and every project in these books is deleted from this computer. A backup is taken first; Personal can restore it.</source>
        <translation>Elke sessie en elk project in deze administratie wordt van deze computer verwijderd. Eerst wordt er een back-up gemaakt; die kun je terugzetten via Persoonlijk.</translation>
    </message>
    <message>
        <source>Timesheets already uploaded stay on the studio folder. This does not withdraw anything the studio has been given.</source>
        <translation>Urenstaten die al zijn geüpload, blijven in de studiomap staan. Wat de studio al heeft gekregen, wordt niet teruggetrokken.</translation>
    </message>
    <message>
        <source>The unchanging front of every number here. Type it exactly as it should appear, trailing dot and all.</source>
        <translation>Het vaste begin van elk nummer hier. Typ het precies zoals het moet verschijnen, inclusief een eventuele punt aan het eind.</translation>
    </message>
    <message>
        <source>Two digits, so the count starts again each January.</source>
        <translation>Twee cijfers, zodat de telling elk jaar in januari opnieuw begint.</translation>
    </message>
    <message>
        <source>The first administration is always this. It shares no project list, hands in no timesheets, and appears in nobody else’s Analytics.</source>
        <translation>De eerste administratie is dat altijd. Ze deelt geen projectlijst, levert geen urenstaten in en verschijnt bij niemand anders in Analyse.</translation>
    </message>
    <message>
        <source>This administration never touches a studio folder: no project list travels and no timesheets are handed in.</source>
        <translation>Deze administratie gebruikt nooit een studiomap: er wordt geen projectlijst gedeeld en er worden geen urenstaten ingeleverd.</translation>
    </message>
</context>
<context>
    <name>zol::AnalyticsModel</name>
    <message>
        <source>Person</source>
        <translation>Persoon</translation>
    </message>
    <message>
        <source>Client</source>
        <translation>Klant</translation>
    </message>
    <message>
        <source>Task</source>
        <translation>Taak</translation>
    </message>
    <message>
        <source>Project</source>
        <translation>Project</translation>
    </message>
    <message>
        <source>Nothing uploaded for this period</source>
        <translation>Niets geüpload voor deze periode</translation>
    </message>
    <message>
        <source>They have a folder on the share but handed nothing in. Their hours may simply still be on their own computer.</source>
        <translation>Ze hebben een map op de gedeelde schijf, maar hebben niets ingeleverd. Hun uren staan misschien gewoon nog op hun eigen computer.</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <comment>a bar&apos;s day or month and its hours</comment>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>%1: nothing</source>
        <comment>a bar&apos;s day or month without hours</comment>
        <translation>%1: niets</translation>
    </message>
    <message>
        <source>just now</source>
        <translation>zojuist</translation>
    </message>
    <message numerus="yes">
        <source>%n minutes ago</source>
        <translation>
            <numerusform>%n minuut geleden</numerusform>
            <numerusform>%n minuten geleden</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n hours ago</source>
        <translation>
            <numerusform>%n uur geleden</numerusform>
            <numerusform>%n uur geleden</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n days ago</source>
        <translation>
            <numerusform>%n dag geleden</numerusform>
            <numerusform>%n dagen geleden</numerusform>
        </translation>
    </message>
    <message>
        <source>Reading the studio folder…</source>
        <translation>De studiomap wordt gelezen…</translation>
    </message>
    <message>
        <source>No studio folder chosen</source>
        <translation>Geen studiomap gekozen</translation>
    </message>
    <message>
        <source>The studio folder is out of reach</source>
        <translation>De studiomap is niet bereikbaar</translation>
    </message>
    <message>
        <source>Nothing uploaded yet</source>
        <translation>Nog niets geüpload</translation>
    </message>
    <message>
        <source>Choose one in Settings, Studio. Until then there is nothing shared to report on.</source>
        <translation>Kies er een in Instellingen, Studio. Tot die tijd is er niets gedeeld om over te rapporteren.</translation>
    </message>
    <message>
        <source>Nothing is wrong with anybody’s hours — this computer just cannot see the drive.
%1</source>
        <translation>Er is niets mis met iemands uren — deze computer kan de schijf alleen niet zien.
%1</translation>
    </message>
    <message>
        <source>The studio folder is there, but nobody has handed a week in. Hours stay on each person’s own computer until they press Upload in History.</source>
        <translation>De studiomap is er, maar nog niemand heeft een week ingeleverd. Uren blijven op ieders eigen computer staan tot diegene in Geschiedenis op Uploaden drukt.</translation>
    </message>
    <message>
        <source>Reading timesheets… %1%</source>
        <translation>Urenstaten lezen… %1%</translation>
    </message>
    <message>
        <source>Nothing is wrong with anybody’s hours — this computer just cannot see the drive.
Showing what was last read — %1</source>
        <translation>Er is niets mis met iemands uren — deze computer kan de schijf alleen niet zien.
Je ziet wat het laatst is gelezen — %1</translation>
    </message>
    <message numerus="yes">
        <source>%n timesheets could not be read: %1.
Those hours are missing from these figures.</source>
        <translation>
            <numerusform>%n urenstaat kon niet worden gelezen: %1.
Die uren ontbreken in deze cijfers.</numerusform>
            <numerusform>%n urenstaten konden niet worden gelezen: %1.
Die uren ontbreken in deze cijfers.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 · %n sessions</source>
        <translation>
            <numerusform>%1 · %n sessie</numerusform>
            <numerusform>%1 · %n sessies</numerusform>
        </translation>
    </message>
    <message>
        <source>Nothing handed in for %1</source>
        <translation>Niets ingeleverd voor %1</translation>
    </message>
    <message>
        <source>Nothing in %1 matches “%2”</source>
        <translation>Niets in %1 komt overeen met “%2”</translation>
    </message>
</context>
<context>
    <name>zol::AppModel</name>
    <message>
        <source>Switched to %1.</source>
        <translation>Gewisseld naar %1.</translation>
    </message>
    <message>
        <source>Removed %1. Its hours are still on this computer.</source>
        <translation>%1 verwijderd. De uren staan nog op deze computer.</translation>
    </message>
    <message>
        <source>Nothing was emptied: no backup could be taken. %1</source>
        <translation>Er is niets leeggemaakt: er kon geen back-up worden gemaakt. %1</translation>
    </message>
    <message>
        <source>Emptied %1 on this computer. The studio folder is untouched.</source>
        <translation>%1 is op deze computer leeggemaakt. De studiomap is niet aangeraakt.</translation>
    </message>
    <message>
        <source>Emptied %1 on this computer. The studio folder is untouched. The backup taken first is %2</source>
        <translation>%1 is op deze computer leeggemaakt. De studiomap is niet aangeraakt. De back-up die eerst is gemaakt: %2</translation>
    </message>
    <message>
        <source>These books are a temporary database, which has no backups.</source>
        <translation>Deze administratie staat in een tijdelijke database, die geen back-ups heeft.</translation>
    </message>
    <message>
        <source>Restored %1 from %2. The books were damaged, so they were not kept.</source>
        <translation>%1 teruggezet vanuit %2. De administratie was beschadigd en is daarom niet bewaard.</translation>
    </message>
    <message>
        <source>Restored %1 from %2. The books as they were are in %3</source>
        <translation>%1 teruggezet vanuit %2. De administratie zoals die was, staat in %3</translation>
    </message>
</context>
<context>
    <name>zol::CatalogueModel</name>
    <message>
        <source>%1 is already %2. Pick it from the list, or use a different number.</source>
        <translation>%1 is al %2. Kies het uit de lijst of gebruik een ander nummer.</translation>
    </message>
    <message>
        <source>%1 is already %2, archived. Pick it from the list, or use a different number.</source>
        <translation>%1 is al %2 (gearchiveerd). Kies het uit de lijst of gebruik een ander nummer.</translation>
    </message>
    <message>
        <source>Added %1.</source>
        <translation>%1 toegevoegd.</translation>
    </message>
    <message>
        <source>Updated %1.</source>
        <translation>%1 bijgewerkt.</translation>
    </message>
    <message>
        <source>%1 is back in the picker.</source>
        <translation>%1 staat weer in de keuzelijst.</translation>
    </message>
    <message>
        <source>Archived %1.</source>
        <translation>%1 gearchiveerd.</translation>
    </message>
    <message>
        <source>Removed %1 from the picker. Its hours stay in the history.</source>
        <translation>%1 uit de keuzelijst verwijderd. De uren blijven in de geschiedenis.</translation>
    </message>
</context>
<context>
    <name>zol::GeneralSettings</name>
    <message>
        <source>First reminder after</source>
        <translation>Eerste herinnering na</translation>
    </message>
    <message>
        <source>Then remind every</source>
        <translation>Daarna herinneren om de</translation>
    </message>
    <message>
        <source>Flag a timer running longer than</source>
        <translation>Markeer een timer na</translation>
    </message>
    <message>
        <source>Away after</source>
        <translation>Afwezig na</translation>
    </message>
    <message>
        <source>Never</source>
        <translation>Nooit</translation>
    </message>
    <message>
        <source>hours</source>
        <translation>uur</translation>
    </message>
    <message>
        <source>minutes</source>
        <translation>minuten</translation>
    </message>
    <message>
        <source>This desktop does not tell Zol when you are away.</source>
        <translation>Deze desktop laat Zol niet weten wanneer je weg bent.</translation>
    </message>
    <message>
        <source>This desktop does not tell Zol when the screen is locked.</source>
        <translation>Deze desktop laat Zol niet weten wanneer het scherm vergrendeld is.</translation>
    </message>
    <message>
        <source>Works anywhere, even when Zol is not the active app.</source>
        <translation>Werkt overal, ook als Zol niet de actieve app is.</translation>
    </message>
    <message>
        <source>Bind &apos;zol toggle&apos; to Super+Alt+T in the desktop&apos;s keyboard settings instead.</source>
        <translation>Koppel in plaats daarvan &apos;zol toggle&apos; aan Super+Alt+T in de toetsenbordinstellingen van de desktop.</translation>
    </message>
    <message>
        <source>You are running Zol %1</source>
        <translation>Je gebruikt Zol %1</translation>
    </message>
    <message>
        <source>Asking for the newest version…</source>
        <translation>Nieuwste versie opvragen…</translation>
    </message>
    <message>
        <source>%1 is the newest version.</source>
        <translation>%1 is de nieuwste versie.</translation>
    </message>
    <message>
        <source>You have the newest version.</source>
        <translation>Je hebt de nieuwste versie.</translation>
    </message>
    <message>
        <source>Opens in your browser. You are running %1.</source>
        <translation>Opent in je browser. Je gebruikt %1.</translation>
    </message>
    <message>
        <source>What Zol does while you work — at login, during a timer, and when you walk away.</source>
        <translation>Wat Zol doet terwijl je werkt — bij het inloggen, tijdens een timer en als je wegloopt.</translation>
    </message>
    <message>
        <source>Count a locked screen as away</source>
        <translation>Vergrendeld scherm telt als afwezig</translation>
    </message>
    <message>
        <source>Start and pause with Super+Alt+T</source>
        <translation>Starten en pauzeren met Super+Alt+T</translation>
    </message>
    <message>
        <source>Space and Ctrl+↩ apply while the tray panel is open. Stopping stays a deliberate act everywhere, since it closes the entry.</source>
        <translation>Spatie en Ctrl+↩ werken zolang het paneel in het systeemvak open is. Stoppen blijft overal een bewuste handeling, omdat het de sessie afrondt.</translation>
    </message>
    <message>
        <source>As the system</source>
        <translation>Zoals het systeem</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Taal</translation>
    </message>
    <message>
        <source>Zol speaks the language you chose from the next time it starts.</source>
        <translation>Zol spreekt de gekozen taal vanaf de volgende keer dat het start.</translation>
    </message>
</context>
<context>
    <name>zol::HistoryModel</name>
    <message>
        <source>now</source>
        <translation>nu</translation>
    </message>
    <message>
        <source>The end time is before the start.</source>
        <translation>De eindtijd ligt voor de starttijd.</translation>
    </message>
    <message>
        <source>The start time is in the future.</source>
        <translation>De starttijd ligt in de toekomst.</translation>
    </message>
    <message>
        <source>The end time is in the future.</source>
        <translation>De eindtijd ligt in de toekomst.</translation>
    </message>
    <message>
        <source>The pauses are longer than the session.</source>
        <translation>De pauzes zijn langer dan de sessie.</translation>
    </message>
    <message>
        <source>Already uploaded. Saving marks it unsent, so the correction goes with the next upload of that period.</source>
        <translation>Al geüpload. Bij opslaan wordt de sessie als niet verstuurd gemarkeerd, zodat de correctie meegaat met de volgende upload van die periode.</translation>
    </message>
    <message>
        <source>These hours are already tracked</source>
        <translation>Deze uren zijn al bijgehouden</translation>
    </message>
    <message>
        <source>You cannot be on two jobs at once, and the same minutes would be counted twice in your timesheet. Change the times so they do not run into the sessions above.</source>
        <translation>Je kunt niet aan twee klussen tegelijk werken, en dezelfde minuten zouden dubbel tellen in je urenstaat. Pas de tijden aan zodat ze niet overlappen met de sessies hierboven.</translation>
    </message>
    <message>
        <source>Saved.</source>
        <translation>Opgeslagen.</translation>
    </message>
    <message numerus="yes">
        <source>Deleted %n sessions.</source>
        <translation>
            <numerusform>%n sessie verwijderd.</numerusform>
            <numerusform>%n sessies verwijderd.</numerusform>
        </translation>
    </message>
    <message>
        <source>A deleted session</source>
        <translation>Een verwijderde sessie</translation>
    </message>
    <message>
        <source>%1 would run into %2</source>
        <translation>%1 zou overlappen met %2</translation>
    </message>
    <message>
        <source>Restored.</source>
        <translation>Teruggezet.</translation>
    </message>
    <message numerus="yes">
        <source>Restored %n sessions. These hours are already tracked: %1. Delete or change what is in the way first.</source>
        <translation>
            <numerusform>%n sessie teruggezet. Deze uren zijn al bijgehouden: %1. Verwijder of wijzig eerst wat in de weg zit.</numerusform>
            <numerusform>%n sessies teruggezet. Deze uren zijn al bijgehouden: %1. Verwijder of wijzig eerst wat in de weg zit.</numerusform>
        </translation>
    </message>
    <message>
        <source>These hours are already tracked: %1. Delete or change what is in the way first.</source>
        <translation>Deze uren zijn al bijgehouden: %1. Verwijder of wijzig eerst wat in de weg zit.</translation>
    </message>
    <message>
        <source>Cleared deleted sessions.</source>
        <translation>Verwijderde sessies gewist.</translation>
    </message>
</context>
<context>
    <name>zol::OpenBooks</name>
    <message>
        <source>Could not open %1. Tracking to a temporary database that will not survive a quit. (%2)</source>
        <translation>Kan %1 niet openen. De tijd wordt bijgehouden in een tijdelijke database die bij het afsluiten verloren gaat. (%2)</translation>
    </message>
    <message>
        <source>no database</source>
        <translation>geen database</translation>
    </message>
    <message>
        <source>Could not save the tasks. (%1)</source>
        <translation>Kan de taken niet opslaan. (%1)</translation>
    </message>
</context>
<context>
    <name>zol::ProjectsList</name>
    <message>
        <source>Archived</source>
        <translation>Gearchiveerd</translation>
    </message>
    <message>
        <source>Unused</source>
        <translation>Ongebruikt</translation>
    </message>
    <message>
        <source>Active</source>
        <translation>Actief</translation>
    </message>
    <message>
        <source>Most hours</source>
        <translation>Meeste uren</translation>
    </message>
    <message>
        <source>Number</source>
        <translation>Nummer</translation>
    </message>
    <message>
        <source>Client</source>
        <translation>Klant</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Naam</translation>
    </message>
    <message>
        <source>Recent</source>
        <translation>Recent</translation>
    </message>
    <message>
        <source>No projects yet</source>
        <translation>Nog geen projecten</translation>
    </message>
    <message>
        <source>No match</source>
        <translation>Geen resultaten</translation>
    </message>
    <message>
        <source>Nothing archived</source>
        <translation>Niets gearchiveerd</translation>
    </message>
    <message>
        <source>Every project has been used</source>
        <translation>Elk project is gebruikt</translation>
    </message>
    <message>
        <source>Everything is archived</source>
        <translation>Alles is gearchiveerd</translation>
    </message>
    <message>
        <source>Add one here, or let the studio folder bring them in.</source>
        <translation>Voeg er hier een toe, of laat de studiomap ze binnenhalen.</translation>
    </message>
    <message>
        <source>No archived project has “%1” in its number, client or name.</source>
        <translation>Geen gearchiveerd project heeft “%1” in het nummer, de klant of de naam.</translation>
    </message>
    <message>
        <source>No unused project has “%1” in its number, client or name.</source>
        <translation>Geen ongebruikt project heeft “%1” in het nummer, de klant of de naam.</translation>
    </message>
    <message>
        <source>No active project has “%1” in its number, client or name.</source>
        <translation>Geen actief project heeft “%1” in het nummer, de klant of de naam.</translation>
    </message>
    <message>
        <source>Put one back in the picker from the archived projects.</source>
        <translation>Zet er een terug in de keuzelijst vanuit de gearchiveerde projecten.</translation>
    </message>
    <message>
        <source>Archiving puts a finished job out of the picker without losing its hours.</source>
        <translation>Archiveren haalt een afgerond project uit de keuzelijst zonder dat de uren verloren gaan.</translation>
    </message>
    <message>
        <source>Every project here has hours tracked on it.</source>
        <translation>Op elk project hier zijn uren bijgehouden.</translation>
    </message>
    <message>
        <source>never tracked</source>
        <translation>nooit bijgehouden</translation>
    </message>
    <message>
        <source>last on %1</source>
        <translation>laatst op %1</translation>
    </message>
</context>
<context>
    <name>zol::ReminderScheduler</name>
    <message>
        <source>Pause</source>
        <translation>Pauzeren</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stoppen</translation>
    </message>
    <message>
        <source>Still tracking %1</source>
        <translation>Nog steeds bezig met %1</translation>
    </message>
    <message>
        <source>%1 so far.</source>
        <translation>Tot nu toe %1.</translation>
    </message>
    <message>
        <source>%1 so far on %2.</source>
        <translation>Tot nu toe %1 voor %2.</translation>
    </message>
</context>
<context>
    <name>zol::ReportsModel</name>
    <message>
        <source>Export the studio&apos;s hours</source>
        <translation>Uren van de studio exporteren</translation>
    </message>
    <message numerus="yes">
        <source>Exported %n sessions.</source>
        <translation>
            <numerusform>%n sessie geëxporteerd.</numerusform>
            <numerusform>%n sessies geëxporteerd.</numerusform>
        </translation>
    </message>
    <message>
        <source>Nothing to export.</source>
        <translation>Niets om te exporteren.</translation>
    </message>
    <message>
        <source>Export tracked time</source>
        <translation>Bijgehouden tijd exporteren</translation>
    </message>
    <message>
        <source>Nothing read from the studio folder yet.</source>
        <translation>Nog niets uit de studiomap gelezen.</translation>
    </message>
    <message>
        <source>Nothing to export in %1.</source>
        <translation>Niets om te exporteren in %1.</translation>
    </message>
    <message>
        <source>A folder holding the report and the sessions behind it.</source>
        <translation>Een map met het rapport en de sessies waarop het is gebaseerd.</translation>
    </message>
    <message>
        <source>Every session in %1.</source>
        <translation>Alle sessies in %1.</translation>
    </message>
    <message numerus="yes">
        <source>The %n sessions matching “%1”.</source>
        <translation>
            <numerusform>De %n sessie die overeenkomt met “%1”.</numerusform>
            <numerusform>De %n sessies die overeenkomen met “%1”.</numerusform>
        </translation>
    </message>
    <message>
        <source>Save the studio report</source>
        <translation>Studiorapport opslaan</translation>
    </message>
    <message>
        <source>One file, with every figure already in it. No server, nothing to fetch.</source>
        <translation>Eén bestand, met alle cijfers er al in. Geen server, niets om op te halen.</translation>
    </message>
    <message>
        <source>Saved %1.</source>
        <translation>%1 opgeslagen.</translation>
    </message>
</context>
<context>
    <name>zol::SearchModel</name>
    <message>
        <source>Nothing found in %1. There is more before that.</source>
        <translation>Niets gevonden in %1. Daarvoor is er nog meer.</translation>
    </message>
    <message>
        <source>Nothing found in %1.</source>
        <translation>Niets gevonden in %1.</translation>
    </message>
    <message>
        <source>%1 in %2. There is more before that.</source>
        <translation>%1 in %2. Daarvoor is er nog meer.</translation>
    </message>
    <message>
        <source>%1 in %2.</source>
        <translation>%1 in %2.</translation>
    </message>
    <message numerus="yes">
        <source>%n sessions</source>
        <translation>
            <numerusform>%n sessie</numerusform>
            <numerusform>%n sessies</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n projects</source>
        <translation>
            <numerusform>%n project</numerusform>
            <numerusform>%n projecten</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n clients</source>
        <translation>
            <numerusform>%n klant</numerusform>
            <numerusform>%n klanten</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>zol::SharingModel</name>
    <message numerus="yes">
        <source>%n files were open on another computer; they go on the next sync.</source>
        <translation>
            <numerusform>%n bestand stond open op een andere computer; het gaat mee bij de volgende synchronisatie.</numerusform>
            <numerusform>%n bestanden stonden open op een andere computer; ze gaan mee bij de volgende synchronisatie.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Received %n projects.</source>
        <translation>
            <numerusform>%n project ontvangen.</numerusform>
            <numerusform>%n projecten ontvangen.</numerusform>
        </translation>
    </message>
    <message>
        <source>Connected, but no other computers have published yet.</source>
        <translation>Verbonden, maar er hebben nog geen andere computers iets gedeeld.</translation>
    </message>
    <message numerus="yes">
        <source>Up to date with %n other computers.</source>
        <translation>
            <numerusform>Bijgewerkt met %n andere computer.</numerusform>
            <numerusform>Bijgewerkt met %n andere computers.</numerusform>
        </translation>
    </message>
    <message>
        <source>%1. Zol reads none of them and writes its own files again as needed, so they can be deleted from the hidden &quot;.zol&quot; folder.</source>
        <extracomment>%1 says which conflict copies were found (&quot;2 conflict copies of timesheets left by the sync tool&quot;).</extracomment>
        <translation>%1. Zol leest ze niet en schrijft zijn eigen bestanden zo nodig opnieuw, dus je kunt ze verwijderen uit de verborgen map &quot;.zol&quot;.</translation>
    </message>
    <message>
        <source>Two sets of books on one folder are one studio. The project list travels both ways through it, so within the minute every project in one would turn up in the other, and nothing here could separate them again.

Give these books a folder of their own, or a subfolder of that share.</source>
        <translation>Twee administraties in één map vormen één studio. De projectlijst gaat er in beide richtingen doorheen, dus binnen een minuut zou elk project van de ene in de andere opduiken, en niets hier kan ze daarna nog scheiden.

Geef deze administratie een eigen map, of een submap van die gedeelde map.</translation>
    </message>
    <message>
        <source>%1 never leaves this computer. Add other books and open them to share through a studio folder.</source>
        <translation>%1 verlaat deze computer nooit. Voeg een andere administratie toe en open die om via een studiomap te delen.</translation>
    </message>
    <message>
        <source>That folder belongs to %1.</source>
        <translation>Die map hoort bij %1.</translation>
    </message>
    <message>
        <source>%1 is on this computer only now.</source>
        <translation>%1 staat nu alleen nog op deze computer.</translation>
    </message>
    <message>
        <source>Set up the studio folder first.</source>
        <translation>Stel eerst de studiomap in.</translation>
    </message>
    <message>
        <source>The file of %1 is open on another computer, so it was not replaced. Upload again in a moment.</source>
        <translation>Het bestand van %1 is geopend op een andere computer en is daarom niet vervangen. Upload zo nog een keer.</translation>
    </message>
    <message>
        <source>Other books were opened first.</source>
        <translation>Er is eerst een andere administratie geopend.</translation>
    </message>
    <message>
        <source>Nothing tracked in %1.</source>
        <translation>Niets bijgehouden in %1.</translation>
    </message>
    <message>
        <source>Uploaded %1: %2 hours.</source>
        <extracomment>%1 is the week or month, %2 its hours with two decimals.</extracomment>
        <translation>%1 geüpload: %2 uur.</translation>
    </message>
    <message>
        <source>Your earlier timesheets moved from “%1”.</source>
        <translation>Je eerdere urenstaten zijn verplaatst uit “%1”.</translation>
    </message>
</context>
<context>
    <name>zol::StudioSettings</name>
    <message>
        <source>%1 is kept on this computer only. It shares no project list, hands in no timesheets, and appears in nobody else’s Analytics. Change that under Administrations.</source>
        <translation>%1 blijft alleen op deze computer. Er wordt geen projectlijst gedeeld, er worden geen urenstaten ingeleverd en niemand anders ziet deze administratie in Analyse. Dat pas je aan onder Administraties.</translation>
    </message>
    <message>
        <source>No folder chosen</source>
        <translation>Geen map gekozen</translation>
    </message>
    <message>
        <source>Chosen, but sharing is switched off.</source>
        <translation>Gekozen, maar delen staat uit.</translation>
    </message>
    <message>
        <source>Looking at the folder…</source>
        <translation>De map wordt bekeken…</translation>
    </message>
    <message>
        <source>Reachable · no other computers yet</source>
        <translation>Bereikbaar · nog geen andere computers</translation>
    </message>
    <message numerus="yes">
        <source>Reachable · %n other computers</source>
        <translation>
            <numerusform>Bereikbaar · %n andere computer</numerusform>
            <numerusform>Bereikbaar · %n andere computers</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n more</source>
        <extracomment>The end of a list of names: &quot;Bram, Carla, Dirk and 2 more&quot;.</extracomment>
        <translation>
            <numerusform>nog %n</numerusform>
            <numerusform>nog %n</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Reachable · %n other computers: %1</source>
        <extracomment>%1 lists their names: &quot;Bram and Carla&quot;.</extracomment>
        <translation>
            <numerusform>Bereikbaar · %n andere computer: %1</numerusform>
            <numerusform>Bereikbaar · %n andere computers: %1</numerusform>
        </translation>
    </message>
    <message>
        <source>Last synced %1</source>
        <extracomment>%1 is when: &quot;today 14:05&quot; or &quot;2 Mar 2026, 09:00&quot;.</extracomment>
        <translation>Laatst gesynchroniseerd %1</translation>
    </message>
    <message>
        <source>That folder belongs to another administration</source>
        <translation>Die map hoort bij een andere administratie</translation>
    </message>
    <message>
        <source>That folder belongs to %1</source>
        <translation>Die map hoort bij %1</translation>
    </message>
    <message>
        <source>Disconnect %1 from the studio folder?</source>
        <translation>%1 loskoppelen van de studiomap?</translation>
    </message>
    <message>
        <source>The project list stops travelling and no more timesheets are handed in. Nothing on the studio folder is deleted, and the folder can be chosen again later.</source>
        <translation>De projectlijst wordt niet meer gedeeld en er worden geen urenstaten meer ingeleverd. Er wordt niets uit de studiomap verwijderd, en je kunt de map later opnieuw kiezen.</translation>
    </message>
    <message>
        <source>Choose another folder…</source>
        <translation>Andere map kiezen…</translation>
    </message>
    <message>
        <source>Choose the shared folder on the NAS</source>
        <translation>Kies de gedeelde map op de NAS</translation>
    </message>
    <message>
        <source>Zol will keep its files in a hidden “.zol” folder inside whatever you pick.</source>
        <translation>Zol bewaart zijn bestanden in een verborgen map “.zol” in de map die je kiest.</translation>
    </message>
    <message>
        <source>Both ways, every minute, in the background.</source>
        <translation>In beide richtingen, elke minuut, op de achtergrond.</translation>
    </message>
    <message>
        <source>Weeks and months, every ten minutes, and straight away whenever the NAS is mounted or this computer wakes.</source>
        <translation>Weken en maanden, elke tien minuten, en meteen zodra de NAS wordt gekoppeld of deze computer uit de slaapstand komt.</translation>
    </message>
    <message>
        <source>Neither is built yet, so there is nothing here to switch on and no key to paste.</source>
        <translation>Geen van beide bestaat nog, dus er valt hier niets aan te zetten en geen sleutel te plakken.</translation>
    </message>
</context>
<context>
    <name>zol::SystemEvents</name>
    <message>
        <source>Not watched on this desktop.</source>
        <translation>Wordt op deze desktop niet gevolgd.</translation>
    </message>
</context>
<context>
    <name>zol::TaskListEditor</name>
    <message>
        <source>There is a task called %1 already.</source>
        <translation>Er is al een taak met de naam %1.</translation>
    </message>
</context>
<context>
    <name>zol::Tracker</name>
    <message>
        <source>That session was stopped meanwhile. Open it again to edit it.</source>
        <translation>Die sessie is intussen gestopt. Open haar opnieuw om haar te bewerken.</translation>
    </message>
</context>
<context>
    <name>zol::cli::BackupCommands</name>
    <message>
        <source>before restore, %1</source>
        <translation>vóór terugzetten, %1</translation>
    </message>
    <message>
        <source>before emptying, %1</source>
        <translation>vóór leegmaken, %1</translation>
    </message>
    <message>
        <source>? sessions</source>
        <extracomment>A backup whose sessions could not be counted.</extracomment>
        <translation>? sessies</translation>
    </message>
    <message numerus="yes">
        <source>%n sessions</source>
        <translation>
            <numerusform>%n sessie</numerusform>
            <numerusform>%n sessies</numerusform>
        </translation>
    </message>
    <message>
        <source>These books are a temporary database, which has no backups.</source>
        <translation>Deze administratie is een tijdelijke database, zonder back-ups.</translation>
    </message>
    <message>
        <source>%1 has no backups yet. One is taken before the first change of each day.</source>
        <translation>%1 heeft nog geen back-ups. Er wordt er een gemaakt vóór de eerste wijziging van elke dag.</translation>
    </message>
    <message>
        <source>Backups of %1 in %2, newest first:</source>
        <translation>Back-ups van %1 in %2, nieuwste eerst:</translation>
    </message>
    <message>
        <source>%1 has no backups yet; nothing was changed.</source>
        <translation>%1 heeft nog geen back-ups; er is niets gewijzigd.</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a date like 2026-12-06, &apos;latest&apos; or a backup file</source>
        <translation>&apos;%1&apos; is geen datum zoals 2026-12-06, geen &apos;latest&apos; en geen back-upbestand</translation>
    </message>
    <message>
        <source>There is no backup of %1 from %2; nothing was changed. &apos;zol backups&apos; lists them.</source>
        <translation>Er is geen back-up van %1 van %2; er is niets gewijzigd. &apos;zol backups&apos; toont ze.</translation>
    </message>
    <message>
        <source>The backups of the open books: date, sessions, size.</source>
        <translation>De back-ups van de geopende administratie: datum, sessies, grootte.</translation>
    </message>
    <message>
        <source>A backup is taken before the first change of each day and before books are emptied.
The last 14 days are kept, and for 8 weeks before them the newest of each week.</source>
        <translation>Vóór de eerste wijziging van elke dag en vóór het leegmaken wordt een back-up gemaakt.
De laatste 14 dagen blijven bewaard, en van de 8 weken daarvoor de nieuwste van elke week.</translation>
    </message>
    <message>
        <source>Put the open books back to their backup of DATE (YYYY-MM-DD).</source>
        <translation>Zet de geopende administratie terug naar haar back-up van DATE (YYYY-MM-DD).</translation>
    </message>
    <message>
        <source>The books as they are now are saved first, as a &apos;before restore&apos; backup kept 14 days.
A running Zol follows the change. A file that is not a Zol database, or is damaged,
is refused and nothing changes.</source>
        <translation>De administratie zoals die nu is, wordt eerst 14 dagen bewaard als back-up &apos;vóór terugzetten&apos;.
Een draaiende Zol neemt de wijziging over. Een bestand dat geen Zol-database is, of beschadigd is,
wordt geweigerd en er verandert niets.</translation>
    </message>
</context>
<context>
    <name>zol::cli::BooksCommands</name>
    <message>
        <source>There are no books called %1. &apos;zol books&apos; lists them.</source>
        <translation>Er is geen administratie die %1 heet. &apos;zol books&apos; toont ze.</translation>
    </message>
    <message>
        <source>--digits needs a number from 1 to 9</source>
        <translation>--digits heeft een getal van 1 tot en met 9 nodig</translation>
    </message>
    <message>
        <source>There are books called %1 already.</source>
        <translation>Er is al een administratie die %1 heet.</translation>
    </message>
    <message>
        <source>Added %1. &apos;zol books open %1&apos; opens them.</source>
        <translation>%1 toegevoegd. &apos;zol books open %1&apos; opent die.</translation>
    </message>
    <message>
        <source>%1 is open already.</source>
        <translation>%1 is al geopend.</translation>
    </message>
    <message>
        <source>Local cannot be removed.</source>
        <translation>Local kan niet worden verwijderd.</translation>
    </message>
    <message>
        <source>emptying erases every session of %1 on this machine; confirm with --confirm &apos;%1&apos;</source>
        <translation>leegmaken wist elke sessie van %1 op deze computer; bevestig met --confirm &apos;%1&apos;</translation>
    </message>
    <message>
        <source>%1 are the first books: their name is yours in every set of books. Leave out --these-books.</source>
        <translation>%1 is de eerste administratie: de naam die je daar hebt, is je naam in elke administratie. Laat --these-books weg.</translation>
    </message>
    <message>
        <source>Timesheets of %1 are filed under %2 now; other books keep their name.</source>
        <translation>Urenstaten van %1 staan nu op naam van %2; andere administraties houden hun naam.</translation>
    </message>
    <message>
        <source>Timesheets are filed under %1 now, in every set of books.</source>
        <translation>Urenstaten staan nu op naam van %1, in elke administratie.</translation>
    </message>
    <message numerus="yes">
        <source>Timesheets are filed under %1 now, in every set of books but %2, which have names of their own.</source>
        <translation>
            <numerusform>Urenstaten staan nu op naam van %1, in elke administratie behalve %2, die een eigen naam heeft.</numerusform>
            <numerusform>Urenstaten staan nu op naam van %1, in elke administratie behalve %2, die een eigen naam hebben.</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 is true or false (on or off).</source>
        <translation>%1 is true of false (on of off).</translation>
    </message>
    <message>
        <source>there is no setting called &apos;%1&apos;</source>
        <translation>er is geen instelling die &apos;%1&apos; heet</translation>
    </message>
    <message>
        <source>%1 is changed with &apos;zol books open&apos;.</source>
        <translation>%1 verander je met &apos;zol books open&apos;.</translation>
    </message>
    <message>
        <source>%1 is chosen with &apos;zol studio folder&apos; and cleared with &apos;zol studio disconnect&apos;.</source>
        <translation>%1 kies je met &apos;zol studio folder&apos; en wis je met &apos;zol studio disconnect&apos;.</translation>
    </message>
    <message>
        <source>%1 belongs to this machine and cannot be set.</source>
        <translation>%1 hoort bij deze computer en kan niet worden ingesteld.</translation>
    </message>
    <message>
        <source>Tasks are on in %1.</source>
        <translation>Taken staan aan in %1.</translation>
    </message>
    <message>
        <source>Tasks are off in %1: new sessions get none. &apos;zol tasks on&apos; asks for one at every start.</source>
        <translation>Taken staan uit in %1: nieuwe sessies krijgen er geen. Met &apos;zol tasks on&apos; wordt bij elke start om een taak gevraagd.</translation>
    </message>
    <message>
        <source>There are no tasks yet. Add one with `zol tasks add`.</source>
        <translation>Er zijn nog geen taken. Voeg er een toe met `zol tasks add`.</translation>
    </message>
    <message>
        <source>There is a task called %1 already.</source>
        <translation>Er is al een taak die %1 heet.</translation>
    </message>
    <message>
        <source>Added %1.</source>
        <translation>%1 toegevoegd.</translation>
    </message>
    <message>
        <source>There is no task called %1.</source>
        <translation>Er is geen taak die %1 heet.</translation>
    </message>
    <message>
        <source>Removed %1.</source>
        <translation>%1 verwijderd.</translation>
    </message>
    <message>
        <source>move a task up or down</source>
        <translation>verplaats een taak omhoog (up) of omlaag (down)</translation>
    </message>
    <message>
        <source>Tasks: %1.</source>
        <translation>Taken: %1.</translation>
    </message>
    <message>
        <source>Add one with `zol tasks add`.</source>
        <translation>Voeg er een toe met `zol tasks add`.</translation>
    </message>
    <message>
        <source>Tasks are on.</source>
        <translation>Taken staan aan.</translation>
    </message>
    <message>
        <source>Tasks are off.</source>
        <translation>Taken staan uit.</translation>
    </message>
    <message>
        <source>The sets of books (administrations); * marks the open one.</source>
        <translation>De administraties; * staat bij de geopende.</translation>
    </message>
    <message>
        <source>Add a set of books (it is not opened).</source>
        <translation>Voeg een administratie toe (die wordt niet geopend).</translation>
    </message>
    <message>
        <source>--prefix, --digits and --year number new projects automatically: the prefix, the two-digit
year with --year, then a count of N digits. --local books never share.</source>
        <translation>--prefix, --digits en --year nummeren nieuwe projecten automatisch: het voorvoegsel, met --year
het jaar in twee cijfers, dan een teller van N cijfers. Een administratie met --local deelt nooit.</translation>
    </message>
    <message>
        <source>Open other books; a running timer is stopped first.</source>
        <translation>Open een andere administratie; een lopende timer wordt eerst gestopt.</translation>
    </message>
    <message>
        <source>Take books out of the list; their hours stay on this machine.</source>
        <translation>Haal een administratie uit de lijst; de uren blijven op deze computer.</translation>
    </message>
    <message>
        <source>Erase every session, project and task of books on this machine.</source>
        <translation>Wis elke sessie, elk project en elke taak van een administratie op deze computer.</translation>
    </message>
    <message>
        <source>The studio folder is untouched. A backup is taken first; &apos;zol backups restore&apos;
puts it back.</source>
        <translation>De studiomap blijft onaangeroerd. Eerst wordt een back-up gemaakt; &apos;zol backups restore&apos;
zet die terug.</translation>
    </message>
    <message>
        <source>The name your timesheets are filed under, or set it.</source>
        <translation>De naam op je urenstaten, of stel die in.</translation>
    </message>
    <message>
        <source>Without NEW NAME, prints the name the open books file timesheets under.
A new name is your one name on this computer: every set of books uses it,
the open books included, except books given a name of their own with
--these-books, which names the open books alone.</source>
        <translation>Zonder NEW NAME toont het de naam op de urenstaten van de geopende administratie.
Een nieuwe naam is je enige naam op deze computer: elke administratie gebruikt hem,
ook de geopende, behalve een administratie die een eigen naam heeft gekregen met
--these-books; die optie geeft alleen de geopende administratie een naam.</translation>
    </message>
    <message>
        <source>Read or write one setting; without KEY, all of them.</source>
        <translation>Lees of schrijf één instelling; zonder KEY allemaal.</translation>
    </message>
    <message>
        <source>Per-books keys (machine.name, share.*, machine.id) act on the open books. machine.id
can be read, never written; share.folder is set with &apos;zol studio folder&apos;. Numbers
outside their range are refused: ui.longRunningWarningHours 0 to 24 (0: never),
reminders.firstMinutes 1 to 1440, reminders.repeatMinutes 0 to 1440 (0: remind once),
idle.minutes 1 to 240.</source>
        <translation>Sleutels per administratie (machine.name, share.*, machine.id) gelden voor de geopende
administratie. machine.id kan worden gelezen, nooit geschreven; share.folder stel je in
met &apos;zol studio folder&apos;. Getallen buiten hun bereik worden geweigerd:
ui.longRunningWarningHours 0 tot en met 24 (0: nooit), reminders.firstMinutes 1 tot en met 1440,
reminders.repeatMinutes 0 tot en met 1440 (0: één keer herinneren), idle.minutes 1 tot en met 240.</translation>
    </message>
    <message>
        <source>The task list of the open books, and whether tasks are on.</source>
        <translation>De takenlijst van de geopende administratie, en of taken aan staan.</translation>
    </message>
    <message>
        <source>Add a task.</source>
        <translation>Voeg een taak toe.</translation>
    </message>
    <message>
        <source>Remove a task; sessions keep theirs.</source>
        <translation>Verwijder een taak; sessies houden de hunne.</translation>
    </message>
    <message>
        <source>Move a task up or down the list.</source>
        <translation>Verplaats een taak omhoog of omlaag in de lijst.</translation>
    </message>
    <message>
        <source>Ask for a task at every start.</source>
        <translation>Vraag bij elke start om een taak.</translation>
    </message>
    <message>
        <source>Stop asking for tasks.</source>
        <translation>Vraag niet langer om taken.</translation>
    </message>
</context>
<context>
    <name>zol::cli::CommandLine</name>
    <message>
        <source>Try &apos;zol --help&apos;.</source>
        <translation>Zie &apos;zol --help&apos;.</translation>
    </message>
    <message>
        <source>Try &apos;zol %1 --help&apos;.</source>
        <translation>Zie &apos;zol %1 --help&apos;.</translation>
    </message>
    <message>
        <source>Usage: %1</source>
        <translation>Gebruik: %1</translation>
    </message>
    <message>
        <source>Zol tracks your hours. Without a command it starts the tray app; with one it
runs that command against the same books, settings and studio folder, prints
what happened and exits: 0 when it worked, 1 when it failed, 2 when the
command was not understood.</source>
        <translation>Zol houdt je uren bij. Zonder opdracht start het de app in het systeemvak; met
een opdracht voert het die uit op dezelfde administraties, instellingen en
studiomap, meldt het wat er gebeurde en stopt het: 0 als het lukte, 1 als het
mislukte, 2 als de opdracht niet begrepen werd.</translation>
    </message>
    <message>
        <source>Commands:</source>
        <translation>Opdrachten:</translation>
    </message>
    <message>
        <source>NUMBER is a project number as typed (blanks around it and letter case do not
matter). ID is a session id as &apos;zol log&apos; shows it (its first 8 characters):
any 4 or more of its first characters do, as long as no other session&apos;s id
begins with them. PERIOD is a week (2026-W10), a month (2026-03) or a year
(2026). Times are shown in your time zone (TZ).</source>
        <translation>NUMBER is een projectnummer zoals je het typt (spaties eromheen en hoofdletters
maken niet uit). ID is een sessie-id zoals &apos;zol log&apos; het toont (de eerste 8
tekens): 4 of meer van de eerste tekens volstaan, zolang het id van geen andere
sessie ermee begint. PERIOD is een week (2026-W10), een maand (2026-03) of een
jaar (2026). Tijden staan in jouw tijdzone (TZ).</translation>
    </message>
    <message>
        <source>Files: the books are in $XDG_DATA_HOME/Zol (~/.local/share/Zol), the settings
in $XDG_CONFIG_HOME/Zol (~/.config/Zol).</source>
        <translation>Bestanden: de administraties staan in $XDG_DATA_HOME/Zol (~/.local/share/Zol),
de instellingen in $XDG_CONFIG_HOME/Zol (~/.config/Zol).</translation>
    </message>
    <message>
        <source>the version</source>
        <translation>de versie</translation>
    </message>
    <message>
        <source>what one command does</source>
        <translation>wat één opdracht doet</translation>
    </message>
    <message>
        <source>unknown command &apos;%1&apos;</source>
        <translation>onbekende opdracht &apos;%1&apos;</translation>
    </message>
    <message>
        <source>unknown option %1</source>
        <translation>onbekende optie %1</translation>
    </message>
    <message>
        <source>%1 takes no value</source>
        <translation>%1 verwacht geen waarde</translation>
    </message>
    <message>
        <source>%1 needs %2</source>
        <translation>%1 heeft %2 nodig</translation>
    </message>
    <message>
        <source>missing %1</source>
        <translation>%1 ontbreekt</translation>
    </message>
    <message>
        <source>unexpected &apos;%1&apos;</source>
        <translation>onverwacht: &apos;%1&apos;</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not understood</source>
        <translation>&apos;%1&apos; is niet begrepen</translation>
    </message>
    <message>
        <source>nothing was changed, since the books are only a temporary copy that would vanish when this command ends.</source>
        <translation>er is niets gewijzigd, want de administratie is maar een tijdelijke kopie die zou verdwijnen zodra deze opdracht klaar is.</translation>
    </message>
</context>
<context>
    <name>zol::cli::Completion</name>
    <message>
        <source>Commands: %1.</source>
        <translation>Opdrachten: %1.</translation>
    </message>
    <message>
        <source>zol command</source>
        <translation>opdracht van zol</translation>
    </message>
    <message>
        <source>zol %1 command</source>
        <translation>opdracht van zol %1</translation>
    </message>
    <message>
        <source>What one command does.</source>
        <translation>Wat één opdracht doet.</translation>
    </message>
</context>
<context>
    <name>zol::cli::DesktopCommands</name>
    <message>
        <source>notifications</source>
        <translation>meldingen</translation>
    </message>
    <message>
        <source>idle time</source>
        <translation>inactieve tijd</translation>
    </message>
    <message>
        <source>hot key</source>
        <translation>sneltoets</translation>
    </message>
    <message>
        <source>login item</source>
        <translation>starten bij inloggen</translation>
    </message>
    <message>
        <source>sleep and wake</source>
        <translation>slaapstand en wekken</translation>
    </message>
    <message>
        <source>screen lock</source>
        <translation>schermvergrendeling</translation>
    </message>
    <message>
        <source>mounts</source>
        <translation>koppelpunten</translation>
    </message>
    <message>
        <source>file manager</source>
        <translation>bestandsbeheerder</translation>
    </message>
    <message>
        <source>tray</source>
        <translation>systeemvak</translation>
    </message>
    <message>
        <source>not found. %1</source>
        <translation>niet gevonden. %1</translation>
    </message>
    <message>
        <source>Session:</source>
        <translation>Sessie:</translation>
    </message>
    <message>
        <source>Books:</source>
        <translation>Administraties:</translation>
    </message>
    <message>
        <source>Settings:</source>
        <translation>Instellingen:</translation>
    </message>
    <message>
        <source>What this desktop offers Zol, and what to do where it does not.</source>
        <translation>Wat deze desktop Zol biedt, en wat je kunt doen waar die dat niet doet.</translation>
    </message>
    <message>
        <source>One line per service: notifications, idle time, hot key, login item,
sleep and wake, screen lock, mounts, file manager and tray. --json
prints services [{service, found, implementation, reason}],
sessionType, dataFolder and settingsFolder. Exits 0 whatever it finds.</source>
        <translation>Eén regel per dienst: meldingen, inactieve tijd, sneltoets, starten bij
inloggen, slaapstand en wekken, schermvergrendeling, koppelpunten, bestandsbeheerder
en systeemvak. --json geeft services [{service, found, implementation, reason}],
sessionType, dataFolder en settingsFolder. Eindigt met 0, wat het ook vindt.</translation>
    </message>
    <message>
        <source>Print the completion script of a shell.</source>
        <translation>Geef het aanvulscript van een shell.</translation>
    </message>
</context>
<context>
    <name>zol::cli::HistoryCommands</name>
    <message>
        <source>now</source>
        <extracomment>The end of a session still running, as in &quot;09:00–now&quot;.</extracomment>
        <translation>nu</translation>
    </message>
    <message>
        <source>%1 (paused)</source>
        <translation>%1 (gepauzeerd)</translation>
    </message>
    <message>
        <source>give one of --day, --week and --month</source>
        <translation>geef --day, --week of --month</translation>
    </message>
    <message>
        <source>--day takes a date such as 2026-03-02</source>
        <translation>--day verwacht een datum zoals 2026-03-02</translation>
    </message>
    <message>
        <source>--week takes a week such as 2026-W10</source>
        <translation>--week verwacht een week zoals 2026-W10</translation>
    </message>
    <message>
        <source>--month takes a month such as 2026-03</source>
        <translation>--month verwacht een maand zoals 2026-03</translation>
    </message>
    <message>
        <source>No session has the id %1. %2 shows them.</source>
        <translation>Er is geen sessie met id %1. %2 toont ze.</translation>
    </message>
    <message>
        <source>%1 takes a time such as &quot;2026-03-02 09:30&quot;</source>
        <translation>%1 verwacht een tijd zoals &quot;2026-03-02 09:30&quot;</translation>
    </message>
    <message>
        <source>The session is still running. Stop it first.</source>
        <translation>De sessie loopt nog. Stop die eerst.</translation>
    </message>
    <message>
        <source>Nothing to change.</source>
        <translation>Niets te wijzigen.</translation>
    </message>
    <message>
        <source>Saved.</source>
        <translation>Opgeslagen.</translation>
    </message>
    <message>
        <source>No such session.</source>
        <translation>Die sessie bestaat niet.</translation>
    </message>
    <message>
        <source>internal work: %1</source>
        <translation>intern werk: %1</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a session id, as %2 shows them</source>
        <translation>&apos;%1&apos; is geen sessie-id zoals %2 ze toont</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is too short: give at least 4 characters of a session id</source>
        <translation>&apos;%1&apos; is te kort: geef minstens 4 tekens van een sessie-id</translation>
    </message>
    <message>
        <source>No deleted session has the id %1. %2 shows them.</source>
        <translation>Er is geen verwijderde sessie met id %1. %2 toont ze.</translation>
    </message>
    <message numerus="yes">
        <source>%1 is the beginning of the ids of more than %n sessions:</source>
        <translation>
            <numerusform>De id&apos;s van meer dan %n sessie beginnen met %1:</numerusform>
            <numerusform>De id&apos;s van meer dan %n sessies beginnen met %1:</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 is the beginning of the ids of %n sessions:</source>
        <translation>
            <numerusform>Het id van %n sessie begint met %1:</numerusform>
            <numerusform>De id&apos;s van %n sessies beginnen met %1:</numerusform>
        </translation>
    </message>
    <message>
        <source>Give more of the id.</source>
        <translation>Geef meer van het id.</translation>
    </message>
    <message>
        <source>No sessions.</source>
        <translation>Geen sessies.</translation>
    </message>
    <message numerus="yes">
        <source>Total %1 in %n sessions.</source>
        <translation>
            <numerusform>Totaal %1 in %n sessie.</numerusform>
            <numerusform>Totaal %1 in %n sessies.</numerusform>
        </translation>
    </message>
    <message>
        <source>The sessions of a day (today), a week or a month.</source>
        <translation>De sessies van een dag (vandaag), een week of een maand.</translation>
    </message>
    <message>
        <source>--week and --month alone mean this week and this month. Each session is shown with
the first 8 characters of its id. --json prints the JSON export of those sessions,
with whole ids.</source>
        <translation>--week en --month zonder waarde betekenen deze week en deze maand. Elke sessie wordt getoond
met de eerste 8 tekens van haar id. --json geeft de JSON-export van die sessies,
met volledige id&apos;s.</translation>
    </message>
    <message>
        <source>Correct a session.</source>
        <translation>Corrigeer een sessie.</translation>
    </message>
    <message>
        <source>Times are in your time zone. A session may not end before it starts, nor run into
other sessions. An uploaded session goes up again with the next upload of its period.</source>
        <translation>Tijden zijn in jouw tijdzone. Een sessie mag niet eindigen voordat ze begint, en niet overlappen
met andere sessies. Een geüploade sessie gaat opnieuw mee met de volgende upload van haar periode.</translation>
    </message>
    <message>
        <source>Delete sessions; &apos;zol restore&apos; brings them back.</source>
        <translation>Verwijder sessies; &apos;zol restore&apos; haalt ze terug.</translation>
    </message>
    <message>
        <source>Bring deleted sessions back.</source>
        <translation>Haal verwijderde sessies terug.</translation>
    </message>
    <message>
        <source>The deleted sessions.</source>
        <translation>De verwijderde sessies.</translation>
    </message>
    <message>
        <source>Remove the deleted sessions for good.</source>
        <translation>Wis de verwijderde sessies definitief.</translation>
    </message>
</context>
<context>
    <name>zol::cli::ProjectCommands</name>
    <message>
        <source>No projects.</source>
        <translation>Geen projecten.</translation>
    </message>
    <message>
        <source>No active projects.</source>
        <translation>Geen actieve projecten.</translation>
    </message>
    <message>
        <source>(no number)</source>
        <translation>(geen nummer)</translation>
    </message>
    <message>
        <source>%1 (archived)</source>
        <translation>%1 (gearchiveerd)</translation>
    </message>
    <message>
        <source>No project has the number %1. &apos;zol projects --all&apos; lists them.</source>
        <translation>Er is geen project met nummer %1. &apos;zol projects --all&apos; toont ze.</translation>
    </message>
    <message>
        <source>a project needs --name</source>
        <translation>een project heeft --name nodig</translation>
    </message>
    <message>
        <source>a project needs --client</source>
        <translation>een project heeft --client nodig</translation>
    </message>
    <message>
        <source>Added a draft %1.</source>
        <translation>Concept %1 toegevoegd.</translation>
    </message>
    <message>
        <source>Added %1 %2.</source>
        <translation>%1 %2 toegevoegd.</translation>
    </message>
    <message>
        <source>give --name, --client or --number</source>
        <translation>geef --name, --client of --number</translation>
    </message>
    <message>
        <source>Removed %1 %2.</source>
        <translation>%1 %2 verwijderd.</translation>
    </message>
    <message>
        <source>Project numbers are typed by hand in %1.</source>
        <translation>In %1 worden projectnummers met de hand getypt.</translation>
    </message>
    <message>
        <source>The active projects; --all adds the archived ones.</source>
        <translation>De actieve projecten; --all voegt de gearchiveerde toe.</translation>
    </message>
    <message>
        <source>--json prints number, name, client, isActive, updatedAt and createdAt.</source>
        <translation>--json geeft number, name, client, isActive, updatedAt en createdAt.</translation>
    </message>
    <message>
        <source>Add a project; an empty NUMBER &quot;&quot; adds a draft without a number.</source>
        <translation>Voeg een project toe; een leeg NUMBER &quot;&quot; voegt een concept zonder nummer toe.</translation>
    </message>
    <message>
        <source>Rename or renumber a project; its sessions follow.</source>
        <translation>Hernoem of hernummer een project; de sessies gaan mee.</translation>
    </message>
    <message>
        <source>Take a project out of the picker.</source>
        <translation>Haal een project uit de keuzelijst.</translation>
    </message>
    <message>
        <source>Put an archived project back in the picker.</source>
        <translation>Zet een gearchiveerd project terug in de keuzelijst.</translation>
    </message>
    <message>
        <source>Remove a project; its sessions keep their copies.</source>
        <translation>Verwijder een project; de sessies houden hun eigen kopie.</translation>
    </message>
    <message>
        <source>The next project number of the books&apos; numbering.</source>
        <translation>Het volgende projectnummer volgens de nummering van de administratie.</translation>
    </message>
</context>
<context>
    <name>zol::cli::ReportCommands</name>
    <message>
        <source>search for something</source>
        <translation>zoek naar iets</translation>
    </message>
    <message>
        <source>--range is week, month, threeMonths, sixMonths, yearToDate, year or all</source>
        <translation>--range is week, month, threeMonths, sixMonths, yearToDate, year of all</translation>
    </message>
    <message>
        <source>export as csv or json</source>
        <translation>exporteer als csv of json</translation>
    </message>
    <message>
        <source>give --period or --all, not both</source>
        <translation>geef --period of --all, niet allebei</translation>
    </message>
    <message>
        <source>--period takes 2026-W10, 2026-03 or 2026</source>
        <translation>--period verwacht 2026-W10, 2026-03 of 2026</translation>
    </message>
    <message>
        <source>PERIOD is 2026-W10, 2026-03 or 2026</source>
        <translation>PERIOD is 2026-W10, 2026-03 of 2026</translation>
    </message>
    <message>
        <source>%1 holds other files. Give an empty or new folder for the package.</source>
        <translation>%1 bevat andere bestanden. Geef een lege of nieuwe map voor het pakket.</translation>
    </message>
    <message>
        <source>Nothing read from the studio folder yet.</source>
        <translation>Nog niets uit de studiomap gelezen.</translation>
    </message>
    <message>
        <source>Zol %1 is the newest version. Download: %2</source>
        <translation>Zol %1 is de nieuwste versie. Downloaden: %2</translation>
    </message>
    <message>
        <source>You are running Zol %1, the newest version.</source>
        <translation>Je gebruikt Zol %1, de nieuwste versie.</translation>
    </message>
    <message>
        <source>Find sessions by project, client, task or note.</source>
        <translation>Zoek sessies op project, klant, taak of notitie.</translation>
    </message>
    <message>
        <source>The range counts back from today; the default is three months.</source>
        <translation>Het bereik telt terug vanaf vandaag; standaard is dat drie maanden.</translation>
    </message>
    <message>
        <source>Save your sessions of a period (this month) as CSV or JSON.</source>
        <translation>Sla je sessies van een periode (deze maand) op als CSV of JSON.</translation>
    </message>
    <message>
        <source>Without --output the file gets its usual name in the current folder.</source>
        <translation>Zonder --output krijgt het bestand zijn gewone naam in de huidige map.</translation>
    </message>
    <message>
        <source>Read everybody&apos;s timesheets off the studio folder and save the report.</source>
        <translation>Lees ieders urenstaten uit de studiomap en sla het rapport op.</translation>
    </message>
    <message>
        <source>PERIOD is this month unless given. The report is one HTML file with every figure in it;
--csv saves the sessions behind it, --package a folder holding report.html and sessions.csv.
Without --csv or --package the report is saved under its usual name in the current folder.</source>
        <translation>PERIOD is deze maand, tenzij opgegeven. Het rapport is één HTML-bestand met alle cijfers erin;
--csv bewaart de onderliggende sessies, --package een map met report.html en sessions.csv.
Zonder --csv of --package wordt het rapport onder zijn gewone naam in de huidige map opgeslagen.</translation>
    </message>
    <message>
        <source>Ask whether a newer version of Zol is published.</source>
        <translation>Vraag of er een nieuwere versie van Zol is uitgebracht.</translation>
    </message>
</context>
<context>
    <name>zol::cli::StudioCommands</name>
    <message>
        <source>%1 never leaves this machine.</source>
        <translation>%1 verlaat deze computer nooit.</translation>
    </message>
    <message>
        <source>No folder chosen. &apos;zol studio folder PATH&apos; chooses one.</source>
        <translation>Geen map gekozen. &apos;zol studio folder PATH&apos; kiest er een.</translation>
    </message>
    <message>
        <source>Studio folder: %1</source>
        <translation>Studiomap: %1</translation>
    </message>
    <message>
        <source>Chosen, but sharing is switched off.</source>
        <translation>Gekozen, maar delen staat uit.</translation>
    </message>
    <message>
        <source>Studio folder unreachable: there is no folder at %1. Is the NAS mounted?</source>
        <translation>Studiomap onbereikbaar: er is geen map op %1. Is de NAS gekoppeld?</translation>
    </message>
    <message>
        <source>Reachable, but read-only from this computer: projects and timesheets cannot be handed in. Ask whoever looks after the share for write access.</source>
        <translation>Bereikbaar, maar vanaf deze computer alleen-lezen: projecten en urenstaten kunnen niet worden ingeleverd. Vraag degene die de gedeelde map beheert om schrijfrechten.</translation>
    </message>
    <message>
        <source>Reachable · no other machines yet</source>
        <translation>Bereikbaar · nog geen andere computers</translation>
    </message>
    <message>
        <source>Other machines: %1</source>
        <translation>Andere computers: %1</translation>
    </message>
    <message>
        <source>Timesheets last handed in: %1</source>
        <translation>Urenstaten het laatst ingeleverd: %1</translation>
    </message>
    <message>
        <source>Timesheets last handed in: never</source>
        <translation>Urenstaten het laatst ingeleverd: nooit</translation>
    </message>
    <message>
        <source>give the studio folder&apos;s path</source>
        <translation>geef het pad van de studiomap</translation>
    </message>
    <message>
        <source>There is no folder at %1. Is the NAS mounted?</source>
        <translation>Er is geen map op %1. Is de NAS gekoppeld?</translation>
    </message>
    <message>
        <source>%1 has no studio folder.</source>
        <translation>%1 heeft geen studiomap.</translation>
    </message>
    <message>
        <source>Set up the studio folder first.</source>
        <translation>Stel eerst de studiomap in.</translation>
    </message>
    <message>
        <source>give one of PERIOD, --week and --month</source>
        <translation>geef PERIOD, --week of --month</translation>
    </message>
    <message>
        <source>--week takes a week such as 2026-W10</source>
        <translation>--week verwacht een week zoals 2026-W10</translation>
    </message>
    <message>
        <source>--month takes a month such as 2026-03</source>
        <translation>--month verwacht een maand zoals 2026-03</translation>
    </message>
    <message>
        <source>upload a week (2026-W10) or a month (2026-03)</source>
        <translation>upload een week (2026-W10) of een maand (2026-03)</translation>
    </message>
    <message>
        <source>Automatic upload is off; name a period to upload it.</source>
        <translation>Automatisch uploaden staat uit; noem een periode om die te uploaden.</translation>
    </message>
    <message>
        <source>Timesheets were up to date on the studio folder already.</source>
        <translation>De urenstaten in de studiomap waren al bijgewerkt.</translation>
    </message>
    <message numerus="yes">
        <source>Handed in %n timesheets; the studio folder is up to date.</source>
        <translation>
            <numerusform>%n urenstaat ingeleverd; de studiomap is bijgewerkt.</numerusform>
            <numerusform>%n urenstaten ingeleverd; de studiomap is bijgewerkt.</numerusform>
        </translation>
    </message>
    <message>
        <source>The studio folder of the open books and who else is on it.</source>
        <translation>De studiomap van de geopende administratie en wie er verder op zit.</translation>
    </message>
    <message>
        <source>--json prints folder, sharing, reachable, peers and lastUploadAt.</source>
        <translation>--json geeft folder, sharing, reachable, peers en lastUploadAt.</translation>
    </message>
    <message>
        <source>Share the open books through a studio folder.</source>
        <translation>Deel de geopende administratie via een studiomap.</translation>
    </message>
    <message>
        <source>Stop sharing; nothing on the studio folder is deleted.</source>
        <translation>Stop met delen; er wordt niets in de studiomap verwijderd.</translation>
    </message>
    <message>
        <source>Sync the project list once; --force reads and writes everything.</source>
        <translation>Synchroniseer de projectlijst één keer; --force leest en schrijft alles.</translation>
    </message>
    <message>
        <source>Hand in timesheets: one automatic pass, or the week or month named.</source>
        <translation>Lever urenstaten in: één automatische ronde, of de genoemde week of maand.</translation>
    </message>
    <message>
        <source>PERIOD is a week (2026-W10) or a month (2026-03); --week and --month take the same,
and alone mean this week and this month.</source>
        <translation>PERIOD is een week (2026-W10) of een maand (2026-03); --week en --month
verwachten hetzelfde, en betekenen zonder waarde deze week en deze maand.</translation>
    </message>
</context>
<context>
    <name>zol::cli::TrackingCommands</name>
    <message>
        <source>Not tracking.</source>
        <translation>De timer loopt niet.</translation>
    </message>
    <message>
        <source>Paused: %1 · %2</source>
        <translation>Gepauzeerd: %1 · %2</translation>
    </message>
    <message>
        <source>Tracking %1 · %2</source>
        <translation>Bezig met %1 · %2</translation>
    </message>
    <message>
        <source>Today: %1 · %2</source>
        <translation>Vandaag: %1 · %2</translation>
    </message>
    <message>
        <source>Administration: %1 · filed under %2</source>
        <translation>Administratie: %1 · op naam van %2</translation>
    </message>
    <message>
        <source>Tasks are switched off in %1. Switch them on with &apos;zol tasks on&apos;.</source>
        <translation>Taken staan uit in %1. Zet ze aan met &apos;zol tasks on&apos;.</translation>
    </message>
    <message>
        <source>There is no task called %1. The tasks are: %2.</source>
        <translation>Er is geen taak die %1 heet. De taken zijn: %2.</translation>
    </message>
    <message>
        <source>Started %1</source>
        <extracomment>The program adds the full stop, unless the session&apos;s name ends with one.</extracomment>
        <translation>Gestart met %1</translation>
    </message>
    <message>
        <source>give either NUMBER or --internal</source>
        <translation>geef NUMBER óf --internal</translation>
    </message>
    <message>
        <source>missing NUMBER</source>
        <translation>NUMBER ontbreekt</translation>
    </message>
    <message>
        <source>No project has the number %1. &apos;zol projects&apos; lists them; &apos;zol project add&apos; adds one.</source>
        <translation>Er is geen project met nummer %1. &apos;zol projects&apos; toont ze; &apos;zol project add&apos; voegt er een toe.</translation>
    </message>
    <message>
        <source>%1 is archived. &apos;zol project unarchive %1&apos; puts it back.</source>
        <translation>%1 is gearchiveerd. &apos;zol project unarchive %1&apos; zet het terug.</translation>
    </message>
    <message>
        <source>Already paused.</source>
        <translation>Al gepauzeerd.</translation>
    </message>
    <message>
        <source>Paused %1 at %2.</source>
        <translation>%1 gepauzeerd bij %2.</translation>
    </message>
    <message>
        <source>Already running.</source>
        <translation>Loopt al.</translation>
    </message>
    <message>
        <source>Resumed %1</source>
        <extracomment>The program adds the full stop, unless the session&apos;s name ends with one.</extracomment>
        <translation>%1 hervat</translation>
    </message>
    <message>
        <source>Cleared the note of %1</source>
        <extracomment>The program adds the full stop, unless the session&apos;s name ends with one.</extracomment>
        <translation>Notitie van %1 gewist</translation>
    </message>
    <message>
        <source>Note on %1: “%2”</source>
        <translation>Notitie bij %1: “%2”</translation>
    </message>
    <message>
        <source>Nothing to do.</source>
        <translation>Niets te doen.</translation>
    </message>
    <message>
        <source>What the timer is doing, and today&apos;s total.</source>
        <translation>Wat de timer doet, en het totaal van vandaag.</translation>
    </message>
    <message>
        <source>--json prints tracking, paused, elapsedSeconds, todayTotalSeconds, workStatus, administration {id, name},
person, machineId and entry (the running session, or null).</source>
        <translation>--json geeft tracking, paused, elapsedSeconds, todayTotalSeconds, workStatus, administration {id, name},
person, machineId en entry (de lopende sessie, of null).</translation>
    </message>
    <message>
        <source>Start the timer on a project, or on internal work.</source>
        <translation>Start de timer op een project, of op intern werk.</translation>
    </message>
    <message>
        <source>A session already open is stopped first, and said so first (&quot;Logged 1h 5m to Brand book.&quot;).
The session is in the database from this moment on.</source>
        <translation>Een sessie die al open staat, wordt eerst gestopt, en dat wordt als eerste gemeld (&quot;1u 5m geboekt op Huisstijlhandboek.&quot;).
De sessie staat vanaf dit moment in de database.</translation>
    </message>
    <message>
        <source>Pause the running timer.</source>
        <translation>Pauzeer de lopende timer.</translation>
    </message>
    <message>
        <source>Resume the paused timer.</source>
        <translation>Hervat de gepauzeerde timer.</translation>
    </message>
    <message>
        <source>Stop the timer and log the session.</source>
        <translation>Stop de timer en boek de sessie.</translation>
    </message>
    <message>
        <source>A session with under a minute of work is not kept.</source>
        <translation>Een sessie met minder dan een minuut werk wordt niet bewaard.</translation>
    </message>
    <message>
        <source>Throw the open session away.</source>
        <translation>Gooi de open sessie weg.</translation>
    </message>
    <message>
        <source>Set the note of the running session; --append adds a line to it.</source>
        <translation>Zet de notitie van de lopende sessie; --append voegt er een regel aan toe.</translation>
    </message>
    <message>
        <source>A paused session counts as running. &quot;&quot; clears the note.</source>
        <translation>Een gepauzeerde sessie telt als lopend. &quot;&quot; wist de notitie.</translation>
    </message>
    <message>
        <source>Pause the running timer, or start the last project again.</source>
        <translation>Pauzeer de lopende timer, of start het laatste project opnieuw.</translation>
    </message>
    <message>
        <source>What Super+Alt+T does. Where the desktop does not let programs claim
keys, bind this command to a key in the desktop&apos;s keyboard settings.
A paused session counts as not running: it is stopped and the last
project starts afresh.</source>
        <translation>Wat Super+Alt+T doet. Waar de desktop programma&apos;s geen sneltoetsen laat vastleggen,
koppel je deze opdracht aan een toets in de toetsenbordinstellingen van de desktop.
Een gepauzeerde sessie telt als niet lopend: die wordt gestopt en het laatste project
begint opnieuw.</translation>
    </message>
</context>
<context>
    <name>zol::controller::Captions</name>
    <message>
        <source>%1 and %2</source>
        <translation>%1 en %2</translation>
    </message>
</context>
<context>
    <name>zol::controller::FirstRun</name>
    <message>
        <source>Works anywhere, even when Zol is not the active app.</source>
        <translation>Werkt overal, ook als Zol niet de actieve app is.</translation>
    </message>
    <message>
        <source>Start and pause with zol toggle</source>
        <translation>Starten en pauzeren met zol toggle</translation>
    </message>
</context>
<context>
    <name>zol::controller::HistoryCaptions</name>
    <message>
        <source>Previous day (Ctrl+←)</source>
        <translation>Vorige dag (Ctrl+←)</translation>
    </message>
    <message>
        <source>Previous period (Ctrl+←)</source>
        <translation>Vorige periode (Ctrl+←)</translation>
    </message>
    <message>
        <source>Next day (Ctrl+→)</source>
        <translation>Volgende dag (Ctrl+→)</translation>
    </message>
    <message>
        <source>Next period (Ctrl+→)</source>
        <translation>Volgende periode (Ctrl+→)</translation>
    </message>
    <message numerus="yes">
        <source>%n sessions · %1</source>
        <translation>
            <numerusform>%n sessie · %1</numerusform>
            <numerusform>%n sessies · %1</numerusform>
        </translation>
    </message>
    <message>
        <source>Nothing tracked yet</source>
        <translation>Nog niets bijgehouden</translation>
    </message>
    <message>
        <source>Click the clock in the tray, pick a project, and press Start.</source>
        <translation>Klik op de klok in het systeemvak, kies een project en druk op Starten.</translation>
    </message>
    <message>
        <source>Nothing on this day. The rest of your history is still there.</source>
        <translation>Niets op deze dag. De rest van je geschiedenis is er nog.</translation>
    </message>
    <message>
        <source>Nothing tracked here</source>
        <translation>Hier is niets bijgehouden</translation>
    </message>
    <message>
        <source>now</source>
        <translation>nu</translation>
    </message>
    <message>
        <source>This project has no number yet, so it cannot be uploaded</source>
        <translation>Dit project heeft nog geen nummer en kan dus niet worden geüpload</translation>
    </message>
    <message>
        <source>Uploaded %1</source>
        <translation>Geüpload %1</translation>
    </message>
    <message>
        <source>Not uploaded yet</source>
        <translation>Nog niet geüpload</translation>
    </message>
    <message>
        <source>When</source>
        <translation>Wanneer</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Tijd</translation>
    </message>
    <message>
        <source>Duration</source>
        <translation>Duur</translation>
    </message>
    <message>
        <source>Paused</source>
        <translation>Gepauzeerd</translation>
    </message>
    <message>
        <source>Not paused</source>
        <translation>Niet gepauzeerd</translation>
    </message>
    <message>
        <source>Note</source>
        <translation>Notitie</translation>
    </message>
    <message>
        <source>No note</source>
        <translation>Geen notitie</translation>
    </message>
    <message>
        <source>Task</source>
        <translation>Taak</translation>
    </message>
    <message>
        <source>%1 · running now</source>
        <translation>%1 · loopt nu</translation>
    </message>
    <message>
        <source>%1 · paused now</source>
        <translation>%1 · nu gepauzeerd</translation>
    </message>
    <message>
        <source>Tracked by</source>
        <translation>Bijgehouden door</translation>
    </message>
    <message>
        <source>Uploaded</source>
        <translation>Geüpload</translation>
    </message>
    <message>
        <source>%1 of tracked time is thrown away for good. This is the only place these sessions still exist.</source>
        <translation>%1 aan bijgehouden tijd wordt voorgoed weggegooid. Dit is de enige plek waar deze sessies nog bestaan.</translation>
    </message>
</context>
<context>
    <name>zol::controller::InputCheck</name>
    <message>
        <source>The name timesheets are filed under</source>
        <translation>De naam op je urenstaten</translation>
    </message>
    <message>
        <source>The name timesheets are filed under cannot be blank.</source>
        <translation>De naam op je urenstaten mag niet leeg zijn.</translation>
    </message>
    <message>
        <source>The project&apos;s name</source>
        <translation>De naam van het project</translation>
    </message>
    <message>
        <source>A project needs a name.</source>
        <translation>Een project heeft een naam nodig.</translation>
    </message>
    <message>
        <source>The client&apos;s name</source>
        <translation>De naam van de klant</translation>
    </message>
    <message>
        <source>The project number</source>
        <translation>Het projectnummer</translation>
    </message>
    <message>
        <source>The administration’s name</source>
        <translation>De naam van de administratie</translation>
    </message>
    <message>
        <source>The administration needs a name.</source>
        <translation>De administratie heeft een naam nodig.</translation>
    </message>
    <message>
        <source>The task&apos;s name</source>
        <translation>De naam van de taak</translation>
    </message>
    <message>
        <source>A task needs a name.</source>
        <translation>Een taak heeft een naam nodig.</translation>
    </message>
    <message>
        <source>The description of the internal work</source>
        <translation>De omschrijving van het interne werk</translation>
    </message>
    <message>
        <source>Internal work needs a description.</source>
        <translation>Intern werk heeft een omschrijving nodig.</translation>
    </message>
    <message>
        <source>%1 is not valid UTF-8 text.</source>
        <translation>%1 is geen geldige UTF-8-tekst.</translation>
    </message>
    <message>
        <source>%1 holds control characters, such as escape codes; only line breaks and tabs may be in a note.</source>
        <translation>%1 bevat stuurtekens, zoals escapecodes; in een notitie mogen alleen regeleinden en tabs staan.</translation>
    </message>
    <message>
        <source>%1 holds control characters, such as a line break, a tab or an escape code; it must be one line of plain text.</source>
        <translation>%1 bevat stuurtekens, zoals een regeleinde, een tab of een escapecode; het moet één regel platte tekst zijn.</translation>
    </message>
    <message>
        <source>%1 is %2 characters long; the most is %3.</source>
        <translation>%1 is %2 tekens lang; het maximum is %3.</translation>
    </message>
    <message>
        <source>%1 takes a whole number of hours from %2 (never) to %3.</source>
        <translation>%1 moet een heel aantal uren zijn, van %2 (nooit) tot %3.</translation>
    </message>
    <message>
        <source>%1 takes a whole number of hours from %2 (never) to %3, not %4.</source>
        <translation>%1 moet een heel aantal uren zijn, van %2 (nooit) tot %3, niet %4.</translation>
    </message>
    <message>
        <source>%1 takes a whole number of minutes from %2 to %3.</source>
        <translation>%1 moet een heel aantal minuten zijn, van %2 tot %3.</translation>
    </message>
    <message>
        <source>%1 takes a whole number of minutes from %2 to %3, not %4.</source>
        <translation>%1 moet een heel aantal minuten zijn, van %2 tot %3, niet %4.</translation>
    </message>
    <message>
        <source>%1 takes a whole number of minutes from %2 (remind once) to %3.</source>
        <translation>%1 moet een heel aantal minuten zijn, van %2 (één keer herinneren) tot %3.</translation>
    </message>
    <message>
        <source>%1 takes a whole number of minutes from %2 (remind once) to %3, not %4.</source>
        <translation>%1 moet een heel aantal minuten zijn, van %2 (één keer herinneren) tot %3, niet %4.</translation>
    </message>
    <message>
        <source>The note</source>
        <translation>De notitie</translation>
    </message>
    <message>
        <source>%1 takes a whole number.</source>
        <translation>%1 moet een heel getal zijn.</translation>
    </message>
</context>
<context>
    <name>zol::controller::OffThread</name>
    <message>
        <source>An unknown error occurred.</source>
        <translation>Er is een onbekende fout opgetreden.</translation>
    </message>
</context>
<context>
    <name>zol::controller::PanelState</name>
    <message numerus="yes">
        <source>· %n sessions</source>
        <translation>
            <numerusform>· %n sessie</numerusform>
            <numerusform>· %n sessies</numerusform>
        </translation>
    </message>
    <message>
        <source>10 most recent · type to search all %1</source>
        <translation>10 recentste · typ om alle %1 te doorzoeken</translation>
    </message>
    <message numerus="yes">
        <source>%1 of %n projects</source>
        <translation>
            <numerusform>%1 van %n project</numerusform>
            <numerusform>%1 van %n projecten</numerusform>
        </translation>
    </message>
    <message>
        <source>Nothing matches “%1”</source>
        <translation>Niets gevonden voor “%1”</translation>
    </message>
    <message>
        <source>Switch to %1</source>
        <translation>Wissel naar %1</translation>
    </message>
    <message>
        <source>Administration: %1</source>
        <translation>Administratie: %1</translation>
    </message>
    <message>
        <source>Hours are being written into %1</source>
        <translation>Uren worden bijgehouden in %1</translation>
    </message>
    <message>
        <source>%1 already exists: %2</source>
        <translation>%1 bestaat al: %2</translation>
    </message>
    <message>
        <source>Changing the number moves every session on this project onto it.</source>
        <translation>Als je het nummer wijzigt, gaan alle sessies van dit project mee naar het nieuwe nummer.</translation>
    </message>
    <message>
        <source>Adding the number moves everything tracked so far onto it.</source>
        <translation>Als je het nummer toevoegt, gaat alles wat tot nu toe is bijgehouden mee naar dat nummer.</translation>
    </message>
    <message>
        <source>The number, client and name are what the studio sees.</source>
        <translation>Het nummer, de klant en de naam zijn wat de studio ziet.</translation>
    </message>
</context>
<context>
    <name>zol::controller::PersonName</name>
    <message>
        <source>These books file timesheets under a name of their own. A name typed here becomes your name in every set of books.</source>
        <translation>Deze administratie levert urenstaten in onder een eigen naam. Een naam die je hier typt, wordt je naam in elke administratie.</translation>
    </message>
    <message>
        <source>Used by every set of books on this computer that has no name of its own.</source>
        <translation>Geldt voor elke administratie op deze computer zonder eigen naam.</translation>
    </message>
</context>
<context>
    <name>zol::controller::PersonalFacts</name>
    <message>
        <source>None: temporary books are not backed up</source>
        <translation>Geen: van een tijdelijke administratie worden geen back-ups gemaakt</translation>
    </message>
    <message>
        <source>None yet</source>
        <translation>Nog geen</translation>
    </message>
    <message>
        <source>Taken before the first change of each day and before books are emptied. The last 14 days are kept, and for 8 weeks before them the newest of each week. Restore… puts one back, as does “zol backups restore DATE”.</source>
        <translation>Gemaakt vóór de eerste wijziging van elke dag en voordat een administratie wordt leeggemaakt. De laatste 14 dagen blijven bewaard, en van de 8 weken daarvoor de nieuwste van elke week. Met Terugzetten… zet je er een terug, net als met “zol backups restore DATE”.</translation>
    </message>
    <message>
        <source>Without a name your timesheets are filed under “Onbekend”.</source>
        <translation>Zonder naam komen je urenstaten onder “Onbekend” te staan.</translation>
    </message>
    <message>
        <source>Claimed by this computer, so the name is yours on the share.</source>
        <translation>Gereserveerd door deze computer, dus in de gedeelde map is de naam van jou.</translation>
    </message>
    <message>
        <source>Nowhere: this run tracks to a temporary database</source>
        <translation>Nergens: Zol gebruikt nu een tijdelijke database</translation>
    </message>
    <message>
        <source>Nothing yet</source>
        <translation>Nog niets</translation>
    </message>
    <message>
        <source>Restore %1 to %2?</source>
        <translation>%1 terugzetten naar %2?</translation>
    </message>
    <message numerus="yes">
        <source>The books go back to how they were that day, %1 sessions.</source>
        <translation>
            <numerusform>De administratie gaat terug naar de stand van die dag, %1 sessie.</numerusform>
            <numerusform>De administratie gaat terug naar de stand van die dag, %1 sessies.</numerusform>
        </translation>
    </message>
    <message>
        <source>The books go back to how they were that day.</source>
        <translation>De administratie gaat terug naar de stand van die dag.</translation>
    </message>
    <message>
        <source>The books as they are now are saved first, as a backup kept 14 days.</source>
        <translation>De administratie zoals die nu is, wordt eerst bewaard als back-up die 14 dagen blijft staan.</translation>
    </message>
</context>
<context>
    <name>zol::controller::ProjectDraft</name>
    <message>
        <source>number</source>
        <translation>nummer</translation>
    </message>
    <message>
        <source>client</source>
        <translation>klant</translation>
    </message>
    <message>
        <source>name</source>
        <translation>naam</translation>
    </message>
    <message>
        <source>Describe what it is.</source>
        <translation>Beschrijf wat het is.</translation>
    </message>
    <message>
        <source>Still needed: %1.</source>
        <extracomment>%1 lists the project fields still empty: &quot;number, client, name&quot;.</extracomment>
        <translation>Nog nodig: %1.</translation>
    </message>
</context>
<context>
    <name>zol::controller::SessionOperations</name>
    <message>
        <source>No timer is running.</source>
        <translation>Er loopt geen timer.</translation>
    </message>
    <message>
        <source>The session could not be started.</source>
        <translation>De sessie kon niet worden gestart.</translation>
    </message>
    <message>
        <source>Pick a project first.</source>
        <translation>Kies eerst een project.</translation>
    </message>
    <message>
        <source>Nothing is paused.</source>
        <translation>Er is niets gepauzeerd.</translation>
    </message>
    <message>
        <source>Logged %1 to %2.</source>
        <translation>%1 geboekt op %2.</translation>
    </message>
    <message>
        <source>Under a minute, so nothing was recorded.</source>
        <translation>Korter dan een minuut, dus er is niets vastgelegd.</translation>
    </message>
    <message>
        <source>Discarded the recording on %1.</source>
        <translation>De opname op %1 is weggegooid.</translation>
    </message>
    <message>
        <source>Took %1 of idle time off the timer.</source>
        <translation>%1 inactieve tijd van de timer afgehaald.</translation>
    </message>
</context>
<context>
    <name>zol::controller::SharingModelState</name>
    <message>
        <source>Studio folder · no one else yet</source>
        <translation>Studiomap · nog niemand anders</translation>
    </message>
    <message numerus="yes">
        <source>Studio folder · %n other computers</source>
        <translation>
            <numerusform>Studiomap · %n andere computer</numerusform>
            <numerusform>Studiomap · %n andere computers</numerusform>
        </translation>
    </message>
    <message>
        <source>Studio folder unreachable</source>
        <translation>Studiomap onbereikbaar</translation>
    </message>
    <message>
        <source>On this computer</source>
        <translation>Op deze computer</translation>
    </message>
    <message>
        <source>today %1</source>
        <extracomment>%1 is a time of today: &quot;today 14:05&quot;.</extracomment>
        <translation>vandaag %1</translation>
    </message>
    <message numerus="yes">
        <source>%n sessions · going up shortly</source>
        <translation>
            <numerusform>%n sessie · wordt zo verstuurd</numerusform>
            <numerusform>%n sessies · worden zo verstuurd</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n sessions · not uploaded</source>
        <translation>
            <numerusform>%n sessie · niet geüpload</numerusform>
            <numerusform>%n sessies · niet geüpload</numerusform>
        </translation>
    </message>
    <message>
        <source>Uploaded %1</source>
        <extracomment>%1 is when: &quot;today 14:05&quot; or &quot;2 Mar 2026, 09:00&quot;.</extracomment>
        <translation>Geüpload %1</translation>
    </message>
    <message numerus="yes">
        <source>Uploaded %1 · %n going up shortly</source>
        <translation>
            <numerusform>Geüpload %1 · %n wordt zo verstuurd</numerusform>
            <numerusform>Geüpload %1 · %n worden zo verstuurd</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Uploaded %1 · %n changed since</source>
        <translation>
            <numerusform>Geüpload %1 · %n sindsdien gewijzigd</numerusform>
            <numerusform>Geüpload %1 · %n sindsdien gewijzigd</numerusform>
        </translation>
    </message>
    <message>
        <source>No studio folder</source>
        <translation>Geen studiomap</translation>
    </message>
    <message>
        <source>Nothing tracked</source>
        <translation>Niets bijgehouden</translation>
    </message>
    <message>
        <source>Upload week</source>
        <translation>Week uploaden</translation>
    </message>
    <message>
        <source>Upload month</source>
        <translation>Maand uploaden</translation>
    </message>
    <message>
        <source>Send now</source>
        <translation>Nu versturen</translation>
    </message>
    <message>
        <source>Send again</source>
        <translation>Opnieuw versturen</translation>
    </message>
    <message>
        <source>Upload again</source>
        <translation>Opnieuw uploaden</translation>
    </message>
</context>
<context>
    <name>zol::controller::SharingModelWork</name>
    <message>
        <source>Could not use %1: it is not a folder.</source>
        <translation>Kan %1 niet gebruiken: het is geen map.</translation>
    </message>
</context>
<context>
    <name>zol::controller::TrayStatus</name>
    <message>
        <source>Zol: not tracking</source>
        <extracomment>Keep &quot;Zol: &quot; in front: the tray&apos;s menu shows the rest.</extracomment>
        <translation>Zol: er loopt geen timer</translation>
    </message>
    <message>
        <source>Zol: paused on %1, %2</source>
        <extracomment>Keep &quot;Zol: &quot; in front: the tray&apos;s menu shows the rest. %1 is the project, %2 how long it has run: &quot;1h 5m&quot;.</extracomment>
        <translation>Zol: gepauzeerd op %1, %2</translation>
    </message>
    <message>
        <source>Zol: tracking %1, %2</source>
        <extracomment>Keep &quot;Zol: &quot; in front: the tray&apos;s menu shows the rest. %1 is the project, %2 how long it has run: &quot;1h 5m&quot;.</extracomment>
        <translation>Zol: bezig met %1, %2</translation>
    </message>
</context>
<context>
    <name>zol::controller::UploadControl</name>
    <message>
        <source>The running timer is left out. Stop it first to include it.</source>
        <translation>De lopende timer telt niet mee. Stop hem eerst om hem mee te nemen.</translation>
    </message>
    <message>
        <source>Nothing to hand in yet</source>
        <translation>Nog niets in te leveren</translation>
    </message>
    <message>
        <source>Set up the studio folder under Studio in the sidebar.</source>
        <translation>Stel de studiomap in onder Studio in de zijbalk.</translation>
    </message>
    <message>
        <source>This sends it now — writes %1.</source>
        <extracomment>%1 is the file, as found in the studio folder&apos;s &quot;hours&quot;.</extracomment>
        <translation>Hiermee verstuur je hem nu — dit schrijft %1.</translation>
    </message>
    <message>
        <source>Goes up by itself within ten minutes.</source>
        <translation>Wordt binnen tien minuten vanzelf verstuurd.</translation>
    </message>
    <message>
        <source>Already uploaded. Sending again simply rewrites %1.</source>
        <extracomment>%1 is the file, as found in the studio folder&apos;s &quot;hours&quot;.</extracomment>
        <translation>Al geüpload. Opnieuw versturen schrijft %1 gewoon opnieuw.</translation>
    </message>
</context>
<context>
    <name>zol::controller::WindowSection</name>
    <message>
        <source>History</source>
        <translation>Geschiedenis</translation>
    </message>
    <message>
        <source>Search</source>
        <translation>Zoeken</translation>
    </message>
    <message>
        <source>Analytics</source>
        <translation>Analyse</translation>
    </message>
    <message>
        <source>Personal</source>
        <translation>Persoonlijk</translation>
    </message>
    <message>
        <source>Projects</source>
        <translation>Projecten</translation>
    </message>
    <message>
        <source>Tasks</source>
        <translation>Taken</translation>
    </message>
    <message>
        <source>Studio</source>
        <translation>Studio</translation>
    </message>
    <message>
        <source>General</source>
        <translation>Algemeen</translation>
    </message>
    <message>
        <source>Administrations</source>
        <translation>Administraties</translation>
    </message>
    <message>
        <source>Deleted</source>
        <translation>Verwijderd</translation>
    </message>
</context>
<context>
    <name>zol::core::Administration</name>
    <message>
        <source>This computer only</source>
        <translation>Alleen deze computer</translation>
    </message>
    <message>
        <source>Numbers like %1</source>
        <extracomment>%1 is an example of the project numbers the books give out (&quot;P25001&quot;).</extracomment>
        <translation>Nummers zoals %1</translation>
    </message>
    <message>
        <source>Numbers typed by hand</source>
        <translation>Nummers zelf intypen</translation>
    </message>
</context>
<context>
    <name>zol::core::BackupCopy</name>
    <message>
        <source>The books at %1 are damaged (%2).</source>
        <translation>De administratie in %1 is beschadigd (%2).</translation>
    </message>
    <message>
        <source>Could not write %1: %2.</source>
        <translation>Kon %1 niet schrijven: %2.</translation>
    </message>
    <message>
        <source>The books at %1 failed their integrity check (%2).</source>
        <translation>De administratie in %1 komt niet door de integriteitscontrole (%2).</translation>
    </message>
    <message>
        <source>There is no file %1.</source>
        <translation>Er is geen bestand %1.</translation>
    </message>
    <message>
        <source>%1 is not a Zol database; nothing was changed.</source>
        <translation>%1 is geen Zol-database; er is niets gewijzigd.</translation>
    </message>
    <message>
        <source>%1 cannot be read (%2); nothing was changed.</source>
        <translation>%1 kan niet worden gelezen (%2); er is niets gewijzigd.</translation>
    </message>
    <message>
        <source>%1 is damaged (%2); nothing was changed.</source>
        <translation>%1 is beschadigd (%2); er is niets gewijzigd.</translation>
    </message>
</context>
<context>
    <name>zol::core::CheckedFileSystem</name>
    <message>
        <source>%1: it is not inside %2</source>
        <translation>%1: het staat niet in %2</translation>
    </message>
    <message>
        <source>%1: %2 is not there</source>
        <translation>%1: %2 is er niet</translation>
    </message>
</context>
<context>
    <name>zol::core::DataPaths</name>
    <message>
        <source>Could not create the folder %1: a file of that name is in the way.</source>
        <translation>Kon de map %1 niet maken: er staat een bestand met die naam in de weg.</translation>
    </message>
    <message>
        <source>Could not use the folder %1: it is a link to another place. Zol keeps these files only in a folder of its own; put a folder in its place.</source>
        <translation>Kon de map %1 niet gebruiken: het is een koppeling naar een andere plek. Zol bewaart deze bestanden alleen in een eigen map; zet daar een echte map voor in de plaats.</translation>
    </message>
    <message>
        <source>Could not create the folder %1: its parent folder cannot be made.</source>
        <translation>Kon de map %1 niet maken: de bovenliggende map kan niet worden gemaakt.</translation>
    </message>
    <message>
        <source>Could not create the folder %1: %2.</source>
        <translation>Kon de map %1 niet maken: %2.</translation>
    </message>
</context>
<context>
    <name>zol::core::Duration</name>
    <message>
        <source>%1m</source>
        <comment>minutes, short</comment>
        <translation>%1m</translation>
    </message>
    <message>
        <source>%1h</source>
        <comment>hours, short</comment>
        <translation>%1u</translation>
    </message>
    <message>
        <source>%1h %2m</source>
        <comment>hours and minutes, short</comment>
        <translation>%1u %2m</translation>
    </message>
</context>
<context>
    <name>zol::core::EntryExporter</name>
    <message>
        <source>CSV (spreadsheet)</source>
        <translation>CSV (spreadsheet)</translation>
    </message>
</context>
<context>
    <name>zol::core::FileSystem</name>
    <message>
        <source>Could not list %1</source>
        <translation>Kon de inhoud van %1 niet lezen</translation>
    </message>
    <message>
        <source>Could not read %1</source>
        <translation>Kon %1 niet lezen</translation>
    </message>
    <message>
        <source>Could not write %1</source>
        <translation>Kon %1 niet schrijven</translation>
    </message>
    <message>
        <source>Could not replace %1</source>
        <translation>Kon %1 niet vervangen</translation>
    </message>
    <message>
        <source>Could not move %1</source>
        <translation>Kon %1 niet verplaatsen</translation>
    </message>
    <message>
        <source>Could not remove %1</source>
        <translation>Kon %1 niet verwijderen</translation>
    </message>
    <message>
        <source>Could not hide %1</source>
        <translation>Kon %1 niet verbergen</translation>
    </message>
    <message>
        <source>Could not create the folder %1</source>
        <translation>Kon de map %1 niet maken</translation>
    </message>
    <message>
        <source>Could not use %1</source>
        <translation>Kon %1 niet gebruiken</translation>
    </message>
    <message>
        <source>Could not replace %1 with %2</source>
        <translation>Kon %1 niet vervangen door %2</translation>
    </message>
    <message>
        <source>Could not move %1 to %2</source>
        <translation>Kon %1 niet verplaatsen naar %2</translation>
    </message>
    <message>
        <source>%1: it is a symbolic link, and nothing below %2 is read or written through one.</source>
        <translation>%1: het is een symbolische koppeling, en onder %2 wordt niets via een koppeling gelezen of geschreven.</translation>
    </message>
    <message>
        <source>%1: %2 is a symbolic link, and nothing below %3 is read or written through one.</source>
        <translation>%1: %2 is een symbolische koppeling, en onder %3 wordt niets via een koppeling gelezen of geschreven.</translation>
    </message>
</context>
<context>
    <name>zol::core::HTMLReport</name>
    <message>
        <source>Internal</source>
        <translation>Intern</translation>
    </message>
    <message>
        <source>session</source>
        <comment>after the number 1</comment>
        <translation>sessie</translation>
    </message>
    <message>
        <source>sessions</source>
        <comment>after any other number</comment>
        <translation>sessies</translation>
    </message>
    <message>
        <source>person</source>
        <comment>after the number 1</comment>
        <translation>persoon</translation>
    </message>
    <message>
        <source>people</source>
        <comment>after any other number</comment>
        <translation>personen</translation>
    </message>
    <message>
        <source>project</source>
        <comment>after the number 1</comment>
        <translation>project</translation>
    </message>
    <message>
        <source>projects</source>
        <comment>after any other number</comment>
        <translation>projecten</translation>
    </message>
    <message>
        <source>%1 hours</source>
        <comment>in bold, with two decimals</comment>
        <extracomment>The hours in bold at the start of the report&apos;s first sentence; %1 has two decimals.</extracomment>
        <translation>%1 uur</translation>
    </message>
    <message>
        <source>%1 across %2 matching “%3”.</source>
        <extracomment>%1 is the hours in bold (&quot;7.50 hours&quot;), %2 the sessions found (&quot;12 sessions&quot;), %3 what was searched for.</extracomment>
        <translation>%1 over %2 met “%3”.</translation>
    </message>
    <message>
        <source>%1 across %2 and %3.</source>
        <extracomment>%1 is the hours in bold (&quot;7.50 hours&quot;), %2 the people (&quot;3 people&quot;), %3 the projects (&quot;5 projects&quot;).</extracomment>
        <translation>%1 over %2 en %3.</translation>
    </message>
    <message>
        <source>%1m</source>
        <comment>minutes, short</comment>
        <translation>%1m</translation>
    </message>
    <message>
        <source>%1h %2m</source>
        <comment>hours and minutes, short</comment>
        <translation>%1u %2m</translation>
    </message>
    <message>
        <source>%1h</source>
        <comment>hours, short</comment>
        <translation>%1u</translation>
    </message>
    <message>
        <source>tracked</source>
        <comment>beside the time tracked</comment>
        <translation>bijgehouden</translation>
    </message>
    <message>
        <source>Whole year</source>
        <translation>Hele jaar</translation>
    </message>
    <message>
        <source>Day by day</source>
        <translation>Per dag</translation>
    </message>
    <message>
        <source>tallest %1</source>
        <extracomment>Beside a chart: the time of its highest bar.</extracomment>
        <translation>hoogste %1</translation>
    </message>
    <message>
        <source>By person</source>
        <translation>Per persoon</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Naam</translation>
    </message>
    <message>
        <source>By client</source>
        <translation>Per klant</translation>
    </message>
    <message>
        <source>Client</source>
        <translation>Klant</translation>
    </message>
    <message>
        <source>By task</source>
        <translation>Per taak</translation>
    </message>
    <message>
        <source>Task</source>
        <translation>Taak</translation>
    </message>
    <message>
        <source>By project</source>
        <translation>Per project</translation>
    </message>
    <message>
        <source>Number</source>
        <translation>Nummer</translation>
    </message>
    <message>
        <source>No client</source>
        <translation>Geen klant</translation>
    </message>
    <message>
        <source>No task</source>
        <translation>Geen taak</translation>
    </message>
    <message>
        <source>Nothing matches.</source>
        <translation>Niets gevonden.</translation>
    </message>
    <message>
        <source>Total (all %1)</source>
        <extracomment>The last row of a table cut short: %1 counts all its rows.</extracomment>
        <translation>Totaal (alle %1)</translation>
    </message>
    <message>
        <source>Total</source>
        <translation>Totaal</translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <comment>rows shown of all</comment>
        <extracomment>%1 rows shown of %2.</extracomment>
        <translation>%1 van %2</translation>
    </message>
    <message>
        <source>Show %1 more of %2</source>
        <extracomment>A button under a table cut short: %1 more rows of the %2 not shown.</extracomment>
        <translation>Nog %1 van %2 tonen</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Datum</translation>
    </message>
    <message>
        <source>Who</source>
        <translation>Wie</translation>
    </message>
    <message>
        <source>Project</source>
        <translation>Project</translation>
    </message>
    <message>
        <source>Hours</source>
        <translation>Uren</translation>
    </message>
    <message>
        <source>Note</source>
        <translation>Notitie</translation>
    </message>
    <message>
        <source>nothing tracked</source>
        <extracomment>Beside a month in which nobody tracked anything.</extracomment>
        <translation>niets bijgehouden</translation>
    </message>
    <message>
        <source>These people have a folder on the share but handed nothing in for this period. Their hours may simply still be on their own computer.</source>
        <translation>Deze mensen hebben een map in de studiomap, maar hebben voor deze periode niets ingeleverd. Misschien staan hun uren gewoon nog op hun eigen computer.</translation>
    </message>
    <message>
        <source>Nothing uploaded for this period</source>
        <translation>Niets ingeleverd voor deze periode</translation>
    </message>
    <message>
        <source>The same sessions as a spreadsheet, in this folder: %1</source>
        <extracomment>%1 is a link to the spreadsheet&apos;s file.</extracomment>
        <translation>Dezelfde sessies als spreadsheet, in deze map: %1</translation>
    </message>
    <message>
        <source>Made %1 from the timesheets uploaded to the studio folder at that moment. Hours people have tracked but not yet uploaded are not in here.</source>
        <extracomment>%1 is the date and time the report was made (&quot;3 Apr 2026, 16:00&quot;).</extracomment>
        <translation>Gemaakt op %1 uit de urenstaten die op dat moment in de studiomap stonden. Uren die mensen wel hebben bijgehouden maar nog niet hebben ingeleverd, staan hier niet in.</translation>
    </message>
    <message>
        <source>Zol, every session counted once, by its id.</source>
        <translation>Zol, elke sessie één keer geteld, op basis van haar id.</translation>
    </message>
    <message>
        <source>Made with %1, a time tracker for small studios.</source>
        <extracomment>%1 is the program&apos;s name, a link to its home page where there is one.</extracomment>
        <translation>Gemaakt met %1, een urenregistratie voor kleine studio’s.</translation>
    </message>
    <message>
        <source>Search person, client, project, number, task or note</source>
        <translation>Zoek op persoon, klant, project, nummer, taak of notitie</translation>
    </message>
    <message>
        <source>Search</source>
        <translation>Zoeken</translation>
    </message>
    <message>
        <source>Group by</source>
        <translation>Groeperen op</translation>
    </message>
    <message>
        <source>People</source>
        <translation>Personen</translation>
    </message>
    <message>
        <source>Clients</source>
        <translation>Klanten</translation>
    </message>
    <message>
        <source>Projects</source>
        <translation>Projecten</translation>
    </message>
    <message>
        <source>Tasks</source>
        <translation>Taken</translation>
    </message>
    <message>
        <source>Clear</source>
        <comment>the search</comment>
        <translation>Wissen</translation>
    </message>
    <message>
        <source>Months</source>
        <translation>Maanden</translation>
    </message>
    <message>
        <source>Month by month</source>
        <translation>Per maand</translation>
    </message>
    <message>
        <source>Share</source>
        <comment>a part of the whole</comment>
        <translation>Aandeel</translation>
    </message>
    <message>
        <source>Sessions by month</source>
        <translation>Sessies per maand</translation>
    </message>
    <message>
        <source>Every session</source>
        <translation>Alle sessies</translation>
    </message>
    <message>
        <source>This report filters itself, which needs JavaScript. With it switched off you are seeing the headings and nothing else.</source>
        <translation>Dit rapport filtert zichzelf, en daarvoor is JavaScript nodig. Nu dat uitstaat, zie je alleen de koppen.</translation>
    </message>
</context>
<context>
    <name>zol::core::HttpSession</name>
    <message>
        <source>Zol&apos;s network module could not be loaded (%1)</source>
        <extracomment>%1 is what the system said of each place the module was looked for.</extracomment>
        <translation>De netwerkmodule van Zol kon niet worden geladen (%1)</translation>
    </message>
</context>
<context>
    <name>zol::core::LocalFileSystem</name>
    <message>
        <source>%1: not a regular file</source>
        <translation>%1: geen gewoon bestand</translation>
    </message>
    <message>
        <source>%1: larger than %2 bytes, the most this reads</source>
        <translation>%1: groter dan %2 bytes, meer wordt hier niet gelezen</translation>
    </message>
</context>
<context>
    <name>zol::core::LocalFileSystemPaths</name>
    <message>
        <source>Is the folder still there, and the share still mounted?</source>
        <translation>Bestaat de map nog, en is de netwerkschijf nog gekoppeld?</translation>
    </message>
    <message>
        <source>The folder can only be read from this computer; ask whoever looks after it for write access.</source>
        <translation>Vanaf deze computer kan de map alleen worden gelezen; vraag degene die hem beheert om schrijfrechten.</translation>
    </message>
    <message>
        <source>The disk is full; make room on it and try again.</source>
        <translation>De schijf is vol; maak er ruimte op vrij en probeer het opnieuw.</translation>
    </message>
    <message>
        <source>Another computer has it open; it is tried again shortly.</source>
        <translation>Een andere computer heeft het open; het wordt zo opnieuw geprobeerd.</translation>
    </message>
    <message>
        <source>This user may not change it; ask whoever looks after the folder for write access.</source>
        <translation>Deze gebruiker mag het niet wijzigen; vraag degene die de map beheert om schrijfrechten.</translation>
    </message>
    <message>
        <source>%1: it is not inside %2</source>
        <translation>%1: het staat niet in %2</translation>
    </message>
    <message>
        <source>%1: %2 is not a folder</source>
        <translation>%1: %2 is geen map</translation>
    </message>
</context>
<context>
    <name>zol::core::NetworkHttpSession</name>
    <message>
        <source>The request timed out.</source>
        <translation>Het verzoek duurde te lang.</translation>
    </message>
</context>
<context>
    <name>zol::core::SQLiteDatabase</name>
    <message>
        <source>The books cannot be saved: their file is read-only (%1). Check that this user may write to Zol&apos;s data folder.</source>
        <extracomment>%1 is the database library&apos;s own words.</extracomment>
        <translation>De administratie kan niet worden opgeslagen: het bestand is alleen-lezen (%1). Controleer of deze gebruiker in de gegevensmap van Zol mag schrijven.</translation>
    </message>
    <message>
        <source>The books cannot be saved: the disk is full (%1). Make room on it and try again.</source>
        <extracomment>%1 is the database library&apos;s own words.</extracomment>
        <translation>De administratie kan niet worden opgeslagen: de schijf is vol (%1). Maak er ruimte op vrij en probeer het opnieuw.</translation>
    </message>
    <message>
        <source>The books&apos; file is damaged (%1). A backup can be put back under Personal, or with “zol backups restore”.</source>
        <extracomment>%1 is the database library&apos;s own words; “zol backups restore” is a command to type.</extracomment>
        <translation>Het bestand van de administratie is beschadigd (%1). Je kunt een back-up terugzetten onder Persoonlijk, of met “zol backups restore”.</translation>
    </message>
    <message>
        <source>unknown error</source>
        <translation>onbekende fout</translation>
    </message>
    <message>
        <source>Could not open %1: %2</source>
        <translation>Kon %1 niet openen: %2</translation>
    </message>
</context>
<context>
    <name>zol::core::SearchRange</name>
    <message>
        <source>7D</source>
        <translation>7D</translation>
    </message>
    <message>
        <source>the last 7 days</source>
        <translation>de afgelopen 7 dagen</translation>
    </message>
    <message>
        <source>1M</source>
        <translation>1M</translation>
    </message>
    <message>
        <source>the last month</source>
        <translation>de afgelopen maand</translation>
    </message>
    <message>
        <source>3M</source>
        <translation>3M</translation>
    </message>
    <message>
        <source>the last 3 months</source>
        <translation>de afgelopen 3 maanden</translation>
    </message>
    <message>
        <source>6M</source>
        <translation>6M</translation>
    </message>
    <message>
        <source>the last 6 months</source>
        <translation>de afgelopen 6 maanden</translation>
    </message>
    <message>
        <source>YTD</source>
        <translation>Dit jaar</translation>
    </message>
    <message>
        <source>this year so far</source>
        <translation>dit jaar tot nu toe</translation>
    </message>
    <message>
        <source>1Y</source>
        <translation>1J</translation>
    </message>
    <message>
        <source>the last year</source>
        <translation>het afgelopen jaar</translation>
    </message>
    <message>
        <source>All</source>
        <translation>Alles</translation>
    </message>
    <message>
        <source>all time</source>
        <translation>de hele geschiedenis</translation>
    </message>
</context>
<context>
    <name>zol::core::SharedFolderSync</name>
    <message>
        <source>Cannot reach the shared folder at %1. Is the NAS mounted?</source>
        <translation>Kan de gedeelde map op %1 niet bereiken. Is de NAS gekoppeld?</translation>
    </message>
    <message>
        <source>This computer&apos;s identity in the studio folder (&quot;%1&quot;) cannot name a folder.</source>
        <translation>De identiteit van deze computer in de studiomap (&quot;%1&quot;) kan geen mapnaam zijn.</translation>
    </message>
</context>
<context>
    <name>zol::core::StoreBackups</name>
    <message>
        <source>No backup was taken.</source>
        <translation>Er is geen back-up gemaakt.</translation>
    </message>
    <message>
        <source>No backup was taken: %1</source>
        <translation>Er is geen back-up gemaakt: %1</translation>
    </message>
    <message>
        <source>A restore was made a moment ago; wait a second and try again.</source>
        <translation>Er is zojuist al een back-up teruggezet; wacht even en probeer het opnieuw.</translation>
    </message>
</context>
<context>
    <name>zol::core::StudioFolder</name>
    <message numerus="yes">
        <source>%n conflict copies of timesheets</source>
        <translation>
            <numerusform>%n conflictkopie van urenstaten</numerusform>
            <numerusform>%n conflictkopieën van urenstaten</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n conflict copies of project and task lists</source>
        <translation>
            <numerusform>%n conflictkopie van project- en takenlijsten</numerusform>
            <numerusform>%n conflictkopieën van project- en takenlijsten</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 and %2 left by the sync tool</source>
        <extracomment>%1 counts the copies of timesheets, %2 those of the lists (&quot;2 conflict copies of timesheets&quot;, &quot;1 conflict copy of project and task lists&quot;).</extracomment>
        <translation>%1 en %2, achtergelaten door de synchronisatietool</translation>
    </message>
    <message>
        <source>%1 left by the sync tool</source>
        <extracomment>%1 counts the copies (&quot;2 conflict copies of timesheets&quot;).</extracomment>
        <translation>%1, achtergelaten door de synchronisatietool</translation>
    </message>
</context>
<context>
    <name>zol::core::StudioHours</name>
    <message>
        <source>No studio folder chosen yet. Set one in Settings, Studio.</source>
        <translation>Nog geen studiomap gekozen. Kies er een in Instellingen, Studio.</translation>
    </message>
    <message>
        <source>Cannot reach %1. Is the NAS mounted?</source>
        <translation>Kan %1 niet bereiken. Is de NAS gekoppeld?</translation>
    </message>
    <message numerus="yes">
        <source>%n sessions</source>
        <translation>
            <numerusform>%n sessie</numerusform>
            <numerusform>%n sessies</numerusform>
        </translation>
    </message>
    <message>
        <source>No client</source>
        <translation>Geen klant</translation>
    </message>
    <message numerus="yes">
        <source>%n projects</source>
        <translation>
            <numerusform>%n project</numerusform>
            <numerusform>%n projecten</numerusform>
        </translation>
    </message>
    <message>
        <source>Internal</source>
        <translation>Intern</translation>
    </message>
    <message>
        <source>No task</source>
        <translation>Geen taak</translation>
    </message>
</context>
<context>
    <name>zol::core::TaskList</name>
    <message>
        <source>Switch tasks off first: while they are on there has to be at least one of your own.</source>
        <translation>Zet taken eerst uit: zolang ze aan staan, moet er minstens één eigen taak zijn.</translation>
    </message>
    <message>
        <source>Add at least one task below first. General is always there as well.</source>
        <extracomment>&quot;General&quot; is the name of the task every list has, as it is shown.</extracomment>
        <translation>Voeg hieronder eerst minstens één taak toe. General staat er altijd ook bij.</translation>
    </message>
</context>
<context>
    <name>zol::core::TimesheetPeriod</name>
    <message>
        <source>Week</source>
        <translation>Week</translation>
    </message>
    <message>
        <source>Month</source>
        <translation>Maand</translation>
    </message>
    <message>
        <source>Year</source>
        <translation>Jaar</translation>
    </message>
    <message>
        <source>Week %1 · %2 – %3</source>
        <extracomment>A week&apos;s title: its number, then its first and last day (&quot;Week 12 · 17 March – 23 March&quot;).</extracomment>
        <translation>Week %1 · %2 – %3</translation>
    </message>
</context>
<context>
    <name>zol::core::UpdateChecker</name>
    <message>
        <source>Updates for this installation come from its package manager, which installs new versions of Zol; Zol itself asks nobody.</source>
        <translation>Updates voor deze installatie komen via het pakketbeheer, dat nieuwe versies van Zol installeert; Zol vraagt zelf niemand iets.</translation>
    </message>
    <message>
        <source>Could not reach %1. %2</source>
        <extracomment>%1 is the update host, %2 what went wrong, in a sentence of its own.</extracomment>
        <translation>Kon %1 niet bereiken. %2</translation>
    </message>
    <message>
        <source>The published download points at %1, which is not where Zol updates live.</source>
        <translation>De gepubliceerde download verwijst naar %1, en daar staan de updates van Zol niet.</translation>
    </message>
    <message>
        <source>%1 answered, but not with something Zol understands.</source>
        <translation>%1 gaf antwoord, maar niet met iets wat Zol begrijpt.</translation>
    </message>
    <message>
        <source>It answered %1.</source>
        <extracomment>%1 is the web server&apos;s status code, such as 503.</extracomment>
        <translation>Het antwoord was %1.</translation>
    </message>
</context>
<context>
    <name>zol::core::WorkStatus</name>
    <message>
        <source>Off the mark</source>
        <translation>Van start</translation>
    </message>
    <message>
        <source>Good start</source>
        <translation>Goed begonnen</translation>
    </message>
    <message>
        <source>Nice going</source>
        <translation>Lekker bezig</translation>
    </message>
    <message>
        <source>Strong day</source>
        <translation>Sterke dag</translation>
    </message>
    <message>
        <source>Solid work</source>
        <translation>Stevig gewerkt</translation>
    </message>
    <message>
        <source>Big day</source>
        <translation>Flinke dag</translation>
    </message>
    <message>
        <source>Go home</source>
        <translation>Ga naar huis</translation>
    </message>
    <message>
        <source>Nothing yet</source>
        <translation>Nog niets</translation>
    </message>
</context>
<context>
    <name>zol::linux_desktop::DBusNotifier</name>
    <message>
        <source>No D-Bus session bus, so no notifications: run Zol inside a desktop session.</source>
        <translation>Geen D-Bus-sessiebus, dus geen meldingen: start Zol binnen een desktopsessie.</translation>
    </message>
    <message>
        <source>started by the bus when first needed</source>
        <translation>wordt door de bus gestart zodra het nodig is</translation>
    </message>
    <message>
        <source>No notification server on the session bus: install one (dunst, mako) or use a desktop that brings its own.</source>
        <translation>Geen meldingenserver op de sessiebus: installeer er een (dunst, mako) of gebruik een desktop die er zelf een heeft.</translation>
    </message>
    <message>
        <source>reminders carry Pause and Stop</source>
        <translation>herinneringen hebben de knoppen Pauzeren en Stoppen</translation>
    </message>
    <message>
        <source>no buttons on notifications: pause and stop from the tray</source>
        <translation>geen knoppen op meldingen: pauzeer en stop via het systeemvak</translation>
    </message>
</context>
<context>
    <name>zol::linux_desktop::LinuxSystemEvents</name>
    <message>
        <source>Sleep is not reported: there is no D-Bus system bus.</source>
        <translation>De slaapstand wordt niet gemeld: er is geen D-Bus-systeembus.</translation>
    </message>
    <message>
        <source>Sleep is not reported: the system bus refused to pass on logind&apos;s signals.</source>
        <translation>De slaapstand wordt niet gemeld: de systeembus weigerde de signalen van logind door te geven.</translation>
    </message>
    <message>
        <source>Sleep is not reported: no logind on the system bus.</source>
        <translation>De slaapstand wordt niet gemeld: geen logind op de systeembus.</translation>
    </message>
    <message>
        <source>New mounts are not noticed: %1 cannot be read.</source>
        <translation>Nieuw aangekoppelde schijven worden niet opgemerkt: %1 is niet leesbaar.</translation>
    </message>
</context>
<context>
    <name>zol::linux_desktop::PortalGlobalShortcut</name>
    <message>
        <source>Super+Alt+T is bound</source>
        <translation>Super+Alt+T is gekoppeld</translation>
    </message>
    <message>
        <source>%1 is bound</source>
        <translation>%1 is gekoppeld</translation>
    </message>
    <message>
        <source>waiting for the desktop to confirm Super+Alt+T</source>
        <translation>wacht tot de desktop Super+Alt+T bevestigt</translation>
    </message>
    <message>
        <source>Super+Alt+T was not allowed on this desktop.</source>
        <translation>Super+Alt+T is op deze desktop niet toegestaan.</translation>
    </message>
    <message>
        <source>The desktop did not bind Super+Alt+T.</source>
        <translation>De desktop heeft Super+Alt+T niet gekoppeld.</translation>
    </message>
    <message>
        <source>The desktop opened no shortcut session.</source>
        <translation>De desktop heeft geen sneltoetssessie geopend.</translation>
    </message>
    <message>
        <source>This desktop does not let programs claim keys.</source>
        <translation>Deze desktop laat programma’s geen sneltoetsen vastleggen.</translation>
    </message>
    <message>
        <source>The global shortcuts portal refused: %1</source>
        <translation>Het portaal voor globale sneltoetsen weigerde: %1</translation>
    </message>
    <message>
        <source>Start and pause the timer</source>
        <translation>De timer starten en pauzeren</translation>
    </message>
</context>
<context>
    <name>zol::linux_desktop::ScreenLockWatch</name>
    <message>
        <source>there is no D-Bus system bus</source>
        <translation>er is geen D-Bus-systeembus</translation>
    </message>
    <message>
        <source>locked now</source>
        <translation>nu vergrendeld</translation>
    </message>
    <message>
        <source>logind has not said which session this is</source>
        <translation>logind heeft niet gezegd welke sessie dit is</translation>
    </message>
    <message>
        <source>no screen saver on the session bus</source>
        <translation>geen schermbeveiliging op de sessiebus</translation>
    </message>
    <message>
        <source>no session bus</source>
        <translation>geen sessiebus</translation>
    </message>
    <message>
        <source>%1, and %2.</source>
        <translation>%1, en %2.</translation>
    </message>
    <message>
        <source>no logind on the system bus</source>
        <translation>geen logind op de systeembus</translation>
    </message>
    <message>
        <source>logind knows no session of this program</source>
        <translation>logind kent geen sessie van dit programma</translation>
    </message>
    <message>
        <source>the system bus refused to pass on the session&apos;s signals</source>
        <translation>de systeembus weigerde de signalen van de sessie door te geven</translation>
    </message>
</context>
<context>
    <name>zol::linux_desktop::SingleInstance</name>
    <message>
        <source>Another Zol holds %1 but does not answer: %2</source>
        <translation>Een andere Zol heeft %1 in gebruik maar antwoordt niet: %2</translation>
    </message>
    <message>
        <source>The socket path is too long: %1</source>
        <translation>Het socketpad is te lang: %1</translation>
    </message>
    <message>
        <source>Could not listen on %1: %2</source>
        <translation>Kan niet luisteren op %1: %2</translation>
    </message>
</context>
<context>
    <name>zol::linux_desktop::X11Connection</name>
    <message>
        <source>No X display (DISPLAY is not set).</source>
        <translation>Geen X-display (DISPLAY is niet ingesteld).</translation>
    </message>
    <message>
        <source>Cannot reach the X display %1.</source>
        <translation>Het X-display %1 is niet bereikbaar.</translation>
    </message>
    <message>
        <source>The X display %1 has no screen %2.</source>
        <translation>Het X-display %1 heeft geen scherm %2.</translation>
    </message>
    <message>
        <source>Not connected to the X display.</source>
        <translation>Niet verbonden met het X-display.</translation>
    </message>
    <message>
        <source>The X display %1 went away.</source>
        <translation>Het X-display %1 is verdwenen.</translation>
    </message>
    <message>
        <source>The X display %1 did not answer in time.</source>
        <translation>Het X-display %1 antwoordde niet op tijd.</translation>
    </message>
</context>
<context>
    <name>zol::linux_desktop::X11GlobalShortcut</name>
    <message>
        <source>Super+Alt+T is held</source>
        <translation>Super+Alt+T is vastgelegd</translation>
    </message>
    <message>
        <source>The X display did not tell its keyboard mapping.</source>
        <translation>Het X-display gaf zijn toetsenbordindeling niet door.</translation>
    </message>
    <message>
        <source>This keyboard has no T key.</source>
        <translation>Dit toetsenbord heeft geen T-toets.</translation>
    </message>
    <message>
        <source>Super+Alt+T is taken by another program.</source>
        <translation>Super+Alt+T is al in gebruik door een ander programma.</translation>
    </message>
    <message>
        <source>The X display refused Super+Alt+T (error %1).</source>
        <translation>Het X-display weigerde Super+Alt+T (fout %1).</translation>
    </message>
</context>
<context>
    <name>zol::main</name>
    <message>
        <source>The tray app (zol-tray) could not be started; Zol works from the terminal:</source>
        <translation>De app in het systeemvak (zol-tray) kon niet starten; Zol werkt vanuit de terminal:</translation>
    </message>
    <message>
        <source>There is no display here, so there is no tray; Zol works from the terminal:</source>
        <translation>Er is hier geen beeldscherm, dus ook geen systeemvak; Zol werkt vanuit de terminal:</translation>
    </message>
    <message>
        <source>start the timer on project 2301</source>
        <translation>start de timer op project 2301</translation>
    </message>
    <message>
        <source>pause, resume, stop and log it</source>
        <translation>pauzeren, hervatten, stoppen en boeken</translation>
    </message>
    <message>
        <source>today&apos;s sessions</source>
        <translation>de sessies van vandaag</translation>
    </message>
    <message>
        <source>every command</source>
        <translation>alle opdrachten</translation>
    </message>
</context>
<context>
    <name>zol::platform::AutostartLoginItem</name>
    <message>
        <source>There is no configuration folder (is HOME set?), so there is no autostart folder.</source>
        <translation>Er is geen configuratiemap (is HOME ingesteld?), dus ook geen autostartmap.</translation>
    </message>
    <message>
        <source>The path of the running zol is not known, so nothing can start it at login.</source>
        <translation>Het pad van de draaiende zol is onbekend, dus kan die niet bij het inloggen worden gestart.</translation>
    </message>
    <message>
        <source>%1 cannot be written to.</source>
        <translation>Er kan niet naar %1 worden geschreven.</translation>
    </message>
    <message>
        <source>Could not remove “%1”: %2</source>
        <translation>Kan “%1” niet verwijderen: %2</translation>
    </message>
    <message>
        <source>Could not create “%1”.</source>
        <translation>Kan “%1” niet aanmaken.</translation>
    </message>
    <message>
        <source>Could not write “%1”: %2</source>
        <translation>Kan “%1” niet schrijven: %2</translation>
    </message>
</context>
<context>
    <name>zol::platform::DoingNothing</name>
    <message>
        <source>Not available on this desktop.</source>
        <translation>Niet beschikbaar op deze desktop.</translation>
    </message>
    <message>
        <source>Starting at login is not available on this desktop.</source>
        <translation>Starten bij het inloggen is niet beschikbaar op deze desktop.</translation>
    </message>
</context>
<context>
    <name>zol::platform::IdleDetail</name>
    <message>
        <source>%1 s since the last input</source>
        <translation>%1 s sinds de laatste invoer</translation>
    </message>
</context>
<context>
    <name>zol::platform::LinuxDesktop</name>
    <message>
        <source>started by the bus when first needed</source>
        <translation>wordt door de bus gestart zodra het nodig is</translation>
    </message>
    <message>
        <source>No file manager answers on the session bus: Zol opens the folder instead of showing the file in it.</source>
        <translation>Er antwoordt geen bestandsbeheerder op de sessiebus: Zol opent de map in plaats van het bestand erin te tonen.</translation>
    </message>
    <message>
        <source>No D-Bus session bus: Zol opens the folder instead of showing the file in it.</source>
        <translation>Geen D-Bus-sessiebus: Zol opent de map in plaats van het bestand erin te tonen.</translation>
    </message>
</context>
<context>
    <name>zol::platform::LinuxIdleTime</name>
    <message>
        <source>Nothing tells the idle time, so the away prompt stays off. %1</source>
        <translation>Niets geeft de inactieve tijd door, dus de vraag bij terugkomst blijft uit. %1</translation>
    </message>
</context>
<context>
    <name>zol::platform::ScreenSaverIdleTime</name>
    <message>
        <source>Its idle count has not moved yet (some desktops answer a constant); it is used once it does.</source>
        <translation>De inactiviteitsteller is nog niet veranderd (sommige desktops geven steeds hetzelfde getal); hij wordt gebruikt zodra dat wel gebeurt.</translation>
    </message>
</context>
<context>
    <name>zol::platform::SessionBus</name>
    <message>
        <source>No session bus.</source>
        <translation>Geen sessiebus.</translation>
    </message>
    <message>
        <source>%1 answered something else.</source>
        <translation>%1 gaf een ander antwoord.</translation>
    </message>
    <message>
        <source>%1 is not running.</source>
        <translation>%1 draait niet.</translation>
    </message>
    <message>
        <source>%1 did not answer in time.</source>
        <translation>%1 antwoordde niet op tijd.</translation>
    </message>
    <message>
        <source>%1 does not offer it.</source>
        <translation>%1 biedt het niet aan.</translation>
    </message>
    <message>
        <source>%1 refused: %2</source>
        <translation>%1 weigerde: %2</translation>
    </message>
</context>
<context>
    <name>zol::platform::TrayHostProbe</name>
    <message>
        <source>GNOME shows tray icons only with its AppIndicator extension.</source>
        <translation>GNOME toont pictogrammen in het systeemvak alleen met de extensie AppIndicator.</translation>
    </message>
    <message>
        <source>No panel here shows tray icons: add a tray to the desktop&apos;s panel (in waybar, its tray module).</source>
        <translation>Geen enkel paneel toont hier pictogrammen in het systeemvak: voeg een systeemvak toe aan het paneel van de desktop (in waybar de module tray).</translation>
    </message>
    <message>
        <source>No panel here shows tray icons: add a notification area or system tray to the desktop&apos;s panel.</source>
        <translation>Geen enkel paneel toont hier pictogrammen in het systeemvak: voeg een meldingsgebied of systeemvak toe aan het paneel van de desktop.</translation>
    </message>
</context>
<context>
    <name>zol::platform::WaylandIdleTime</name>
    <message>
        <source>The Wayland compositor at %1 offers no seat.</source>
        <translation>De Wayland-compositor op %1 biedt geen seat.</translation>
    </message>
    <message>
        <source>The Wayland compositor at %1 offers neither ext-idle-notify-v1 nor org_kde_kwin_idle.</source>
        <translation>De Wayland-compositor op %1 biedt geen ext-idle-notify-v1 en geen org_kde_kwin_idle.</translation>
    </message>
    <message>
        <source>told after %1 s without input</source>
        <translation>gemeld na %1 s zonder invoer</translation>
    </message>
    <message>
        <source>Not a Wayland session: WAYLAND_DISPLAY is not set.</source>
        <translation>Geen Wayland-sessie: WAYLAND_DISPLAY is niet ingesteld.</translation>
    </message>
    <message>
        <source>No Wayland compositor answers at %1: %2.</source>
        <translation>Er antwoordt geen Wayland-compositor op %1: %2.</translation>
    </message>
    <message>
        <source>The Wayland compositor at %1 did not answer within a second.</source>
        <translation>De Wayland-compositor op %1 antwoordde niet binnen een seconde.</translation>
    </message>
    <message>
        <source>The connection to the Wayland compositor at %1 failed.</source>
        <translation>De verbinding met de Wayland-compositor op %1 is mislukt.</translation>
    </message>
</context>
<context>
    <name>zol::platform::X11IdleTime</name>
    <message>
        <source>The X screen saver is not asked on Wayland: XWayland sees only the input of X programs.</source>
        <translation>Onder Wayland wordt de X-schermbeveiliging niet gevraagd: XWayland ziet alleen de invoer van X-programma’s.</translation>
    </message>
    <message>
        <source>The X display %1 has no screen-saver extension.</source>
        <translation>Het X-display %1 heeft geen schermbeveiligingsextensie.</translation>
    </message>
    <message>
        <source>The X screen saver did not tell the idle time.</source>
        <translation>De X-schermbeveiliging gaf de inactieve tijd niet door.</translation>
    </message>
</context>
<context>
    <name>zol::ui::Accessibility</name>
    <message>
        <source>Clear</source>
        <translation>Wissen</translation>
    </message>
    <message>
        <source>Clear %1</source>
        <translation>%1 wissen</translation>
    </message>
</context>
<context>
    <name>zol::ui::AddEntryForm</name>
    <message>
        <source>Internal</source>
        <translation>Intern</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Toevoegen</translation>
    </message>
    <message>
        <source>Add a project, or internal time</source>
        <translation>Een project of interne tijd toevoegen</translation>
    </message>
    <message>
        <source>time that belongs to no project</source>
        <translation>tijd die bij geen enkel project hoort</translation>
    </message>
    <message>
        <source>Project no.</source>
        <translation>Projectnr.</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Naam</translation>
    </message>
    <message>
        <source>What the work is</source>
        <translation>Wat voor werk het is</translation>
    </message>
    <message>
        <source>Team meeting, kitchen, inspiration…</source>
        <translation>Teamoverleg, keuken, inspiratie…</translation>
    </message>
    <message>
        <source>Client</source>
        <translation>Klant</translation>
    </message>
    <message>
        <source>A number belongs to one project. Adding it again would rename that one for the whole studio.</source>
        <translation>Een nummer hoort bij één project. Voeg je het opnieuw toe, dan krijgt dat project voor de hele studio een nieuwe naam.</translation>
    </message>
    <message>
        <source>Add and select it (Return)</source>
        <translation>Toevoegen en selecteren (Enter)</translation>
    </message>
</context>
<context>
    <name>zol::ui::AdministrationBadge</name>
    <message>
        <source>Manage administrations…</source>
        <translation>Administraties beheren…</translation>
    </message>
</context>
<context>
    <name>zol::ui::AdministrationEditor</name>
    <message>
        <source>Fill in the next project number</source>
        <translation>Het volgende projectnummer invullen</translation>
    </message>
    <message>
        <source>Numbers typed by hand</source>
        <translation>Nummers zelf intypen</translation>
    </message>
    <message>
        <source>Include the year</source>
        <translation>Jaartal opnemen</translation>
    </message>
    <message>
        <source>Keep this administration on this computer</source>
        <translation>Deze administratie op deze computer houden</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Opslaan</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Toevoegen</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Naam</translation>
    </message>
    <message>
        <source>Studio</source>
        <translation>Studio</translation>
    </message>
    <message>
        <source>Project numbers</source>
        <translation>Projectnummers</translation>
    </message>
    <message>
        <source>Prefix</source>
        <translation>Voorvoegsel</translation>
    </message>
    <message>
        <source>P</source>
        <translation>P</translation>
    </message>
    <message>
        <source>Digits</source>
        <translation>Cijfers</translation>
    </message>
    <message>
        <source>No number: a “{” in the prefix cannot be used.</source>
        <translation>Geen nummer: een “{” kan niet in het voorvoegsel staan.</translation>
    </message>
</context>
<context>
    <name>zol::ui::AdministrationsSection</name>
    <message>
        <source>Administrations</source>
        <translation>Administraties</translation>
    </message>
    <message>
        <source>Separate sets of books, each with its own hours, projects and studio folder.</source>
        <translation>Aparte administraties, elk met eigen uren, projecten en studiomap.</translation>
    </message>
    <message>
        <source>Add an administration</source>
        <translation>Administratie toevoegen</translation>
    </message>
    <message>
        <source>· Open now</source>
        <translation>· Nu open</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Openen</translation>
    </message>
    <message>
        <source>Open %1</source>
        <translation>%1 openen</translation>
    </message>
    <message>
        <source>Edit…</source>
        <translation>Bewerken…</translation>
    </message>
    <message>
        <source>Edit %1</source>
        <translation>%1 bewerken</translation>
    </message>
    <message>
        <source>More</source>
        <translation>Meer</translation>
    </message>
    <message>
        <source>More for %1</source>
        <translation>Meer voor %1</translation>
    </message>
    <message>
        <source>Remove or empty this administration</source>
        <translation>Deze administratie verwijderen of leegmaken</translation>
    </message>
    <message>
        <source>Remove from the list…</source>
        <translation>Uit de lijst verwijderen…</translation>
    </message>
    <message>
        <source>Empty on this computer…</source>
        <translation>Leegmaken op deze computer…</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Verwijderen</translation>
    </message>
    <message>
        <source>Empty it</source>
        <translation>Leegmaken</translation>
    </message>
    <message>
        <source>Type %1 to confirm</source>
        <translation>Typ %1 om te bevestigen</translation>
    </message>
    <message>
        <source>Type “%1” to confirm:</source>
        <translation>Typ “%1” om te bevestigen:</translation>
    </message>
</context>
<context>
    <name>zol::ui::AnalyticsSection</name>
    <message>
        <source>Analytics</source>
        <translation>Analyse</translation>
    </message>
    <message>
        <source>Everyone’s uploaded timesheets, read straight off the studio folder.</source>
        <translation>Ieders ingeleverde urenstaten, rechtstreeks uit de studiomap gelezen.</translation>
    </message>
    <message>
        <source>Period</source>
        <translation>Periode</translation>
    </message>
    <message>
        <source>A week to check, a month to hand on</source>
        <translation>Een week om te controleren, een maand om door te geven</translation>
    </message>
    <message>
        <source>Previous period</source>
        <translation>Vorige periode</translation>
    </message>
    <message>
        <source>Next period</source>
        <translation>Volgende periode</translation>
    </message>
    <message>
        <source>Reading the studio folder…</source>
        <translation>De studiomap wordt gelezen…</translation>
    </message>
    <message>
        <source>Read the studio folder again</source>
        <translation>Studiomap opnieuw lezen</translation>
    </message>
    <message>
        <source>Export</source>
        <translation>Exporteren</translation>
    </message>
    <message>
        <source>Every session as a spreadsheet, or the totals as a page to hand on</source>
        <translation>Elke sessie als spreadsheet, of de totalen als pagina om door te geven</translation>
    </message>
    <message>
        <source>Export report and data…</source>
        <translation>Rapport en gegevens exporteren…</translation>
    </message>
    <message>
        <source>Only the sessions, as CSV…</source>
        <translation>Alleen de sessies, als CSV…</translation>
    </message>
    <message>
        <source>Only the report, as HTML…</source>
        <translation>Alleen het rapport, als HTML…</translation>
    </message>
    <message>
        <source>What to total by</source>
        <translation>Optellen per</translation>
    </message>
    <message>
        <source>Search person, client, project, number or note</source>
        <translation>Zoek op persoon, klant, project, nummer of notitie</translation>
    </message>
    <message>
        <source>Point at a day for its total, or step through the days with ← and →</source>
        <translation>Wijs een dag aan voor het totaal, of loop met ← en → langs de dagen</translation>
    </message>
    <message>
        <source>Breakdown</source>
        <translation>Uitsplitsing</translation>
    </message>
</context>
<context>
    <name>zol::ui::ArmedWork</name>
    <message>
        <source>Start</source>
        <translation>Starten</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Wissen</translation>
    </message>
    <message>
        <source>Nothing selected (esc)</source>
        <translation>Selectie opheffen (esc)</translation>
    </message>
    <message>
        <source>Start (Return)</source>
        <translation>Starten (Enter)</translation>
    </message>
    <message>
        <source>Internal</source>
        <translation>Intern</translation>
    </message>
    <message>
        <source>Internal time</source>
        <translation>Interne tijd</translation>
    </message>
    <message>
        <source>No number</source>
        <translation>Geen nummer</translation>
    </message>
    <message>
        <source>Start %1</source>
        <translation>%1 starten</translation>
    </message>
</context>
<context>
    <name>zol::ui::CalendarMonthView</name>
    <message>
        <source>Month calendar</source>
        <translation>Maandkalender</translation>
    </message>
    <message>
        <source>%1 internal</source>
        <translation>%1 intern</translation>
    </message>
</context>
<context>
    <name>zol::ui::CalendarWeekView</name>
    <message>
        <source>Week calendar</source>
        <translation>Weekkalender</translation>
    </message>
    <message>
        <source>Open details</source>
        <translation>Details openen</translation>
    </message>
    <message>
        <source>Running · %1</source>
        <translation>Loopt · %1</translation>
    </message>
</context>
<context>
    <name>zol::ui::CatalogueListModel</name>
    <message>
        <source>%1, archived</source>
        <translation>%1, gearchiveerd</translation>
    </message>
</context>
<context>
    <name>zol::ui::CatalogueRowDelegate</name>
    <message>
        <source>Edit…</source>
        <translation>Bewerken…</translation>
    </message>
    <message>
        <source>Archive</source>
        <translation>Archiveren</translation>
    </message>
    <message>
        <source>Put back in the picker</source>
        <translation>Terugzetten in de keuzelijst</translation>
    </message>
    <message>
        <source>Delete from my picker</source>
        <translation>Uit mijn keuzelijst verwijderen</translation>
    </message>
    <message>
        <source>Edit the number, name and client</source>
        <translation>Nummer, naam en klant bewerken</translation>
    </message>
    <message>
        <source>Archiving puts a finished job out of the picker without losing its hours.</source>
        <translation>Archiveren haalt een afgerond project uit de keuzelijst zonder dat de uren verloren gaan.</translation>
    </message>
    <message>
        <source>Delete from my picker. Its hours stay in the history.</source>
        <translation>Uit mijn keuzelijst verwijderen. De uren blijven in de geschiedenis.</translation>
    </message>
    <message>
        <source>no number</source>
        <translation>geen nr.</translation>
    </message>
    <message>
        <source>Archived</source>
        <translation>Gearchiveerd</translation>
    </message>
</context>
<context>
    <name>zol::ui::ClientField</name>
    <message>
        <source>Client</source>
        <translation>Klant</translation>
    </message>
    <message>
        <source>Use client %1</source>
        <translation>Klant %1 gebruiken</translation>
    </message>
</context>
<context>
    <name>zol::ui::DayChart</name>
    <message>
        <source>Hours by day</source>
        <translation>Uren per dag</translation>
    </message>
    <message>
        <source>Point at a day for its total</source>
        <translation>Wijs een dag aan voor het totaal</translation>
    </message>
    <message>
        <source>%1h</source>
        <comment>hours on the chart&apos;s scale</comment>
        <translation>%1u</translation>
    </message>
</context>
<context>
    <name>zol::ui::DeletedListDelegate</name>
    <message>
        <source>Restore</source>
        <translation>Terugzetten</translation>
    </message>
</context>
<context>
    <name>zol::ui::DeletedSection</name>
    <message>
        <source>Restore</source>
        <translation>Terugzetten</translation>
    </message>
    <message>
        <source>Nothing deleted</source>
        <translation>Niets verwijderd</translation>
    </message>
    <message>
        <source>Restore everything</source>
        <translation>Alles terugzetten</translation>
    </message>
    <message>
        <source>Clear permanently…</source>
        <translation>Definitief wissen…</translation>
    </message>
    <message>
        <source>Deleted</source>
        <translation>Verwijderd</translation>
    </message>
    <message>
        <source>Deleted sessions land here so a mis-click is never the end of an afternoon.</source>
        <translation>Verwijderde sessies komen hier terecht, zodat een verkeerde klik nooit een middag werk kost.</translation>
    </message>
    <message>
        <source>Sessions you deleted are hidden, not destroyed. Nothing here is uploaded or counted.</source>
        <translation>Sessies die je verwijdert, worden verborgen, niet vernietigd. Niets hier wordt ingeleverd of meegeteld.</translation>
    </message>
    <message>
        <source>Restoring puts a session back exactly where it was, on its own day and project. Clearing is the one thing here that cannot be undone.</source>
        <translation>Terugzetten zet een sessie precies terug waar ze stond, op haar eigen dag en project. Wissen is het enige hier dat niet ongedaan kan worden gemaakt.</translation>
    </message>
    <message>
        <source>Clear permanently</source>
        <translation>Definitief wissen</translation>
    </message>
    <message>
        <source>Deleted sessions</source>
        <translation>Verwijderde sessies</translation>
    </message>
</context>
<context>
    <name>zol::ui::DialogDesktop</name>
    <message>
        <source>Save</source>
        <translation>Opslaan</translation>
    </message>
    <message>
        <source>Choose</source>
        <translation>Kiezen</translation>
    </message>
</context>
<context>
    <name>zol::ui::ExportEverything</name>
    <message>
        <source>Export everything</source>
        <translation>Alles exporteren</translation>
    </message>
    <message>
        <source>CSV (spreadsheet)</source>
        <translation>CSV (spreadsheet)</translation>
    </message>
</context>
<context>
    <name>zol::ui::GeneralSection</name>
    <message>
        <source>General</source>
        <translation>Algemeen</translation>
    </message>
    <message>
        <source>Start Zol when I log in</source>
        <translation>Zol starten als ik inlog</translation>
    </message>
    <message>
        <source>Remind me while a timer is running</source>
        <translation>Herinner me terwijl er een timer loopt</translation>
    </message>
    <message>
        <source>Notice when I have been away</source>
        <translation>Merken wanneer ik weg ben geweest</translation>
    </message>
    <message>
        <source>Check now</source>
        <translation>Nu controleren</translation>
    </message>
    <message>
        <source>Download</source>
        <translation>Downloaden</translation>
    </message>
</context>
<context>
    <name>zol::ui::HistoryList</name>
    <message>
        <source>Sessions</source>
        <translation>Sessies</translation>
    </message>
    <message>
        <source>Open details</source>
        <translation>Details openen</translation>
    </message>
    <message>
        <source>Delete this session</source>
        <translation>Deze sessie verwijderen</translation>
    </message>
    <message>
        <source>Show details</source>
        <translation>Details tonen</translation>
    </message>
    <message>
        <source>Resume</source>
        <translation>Hervatten</translation>
    </message>
    <message>
        <source>Edit project</source>
        <translation>Project bewerken</translation>
    </message>
    <message>
        <source>Delete these sessions</source>
        <translation>Deze sessies verwijderen</translation>
    </message>
</context>
<context>
    <name>zol::ui::HistoryListDelegate</name>
    <message>
        <source>Delete these sessions</source>
        <translation>Deze sessies verwijderen</translation>
    </message>
    <message>
        <source>Edit project</source>
        <translation>Project bewerken</translation>
    </message>
    <message>
        <source>Resume</source>
        <translation>Hervatten</translation>
    </message>
    <message>
        <source>Running</source>
        <translation>Loopt</translation>
    </message>
    <message>
        <source>Paused</source>
        <translation>Gepauzeerd</translation>
    </message>
</context>
<context>
    <name>zol::ui::HistoryProjectDialog</name>
    <message>
        <source>Edit project</source>
        <translation>Project bewerken</translation>
    </message>
    <message>
        <source>Number</source>
        <translation>Nummer</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Naam</translation>
    </message>
    <message>
        <source>Client</source>
        <translation>Klant</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Opslaan</translation>
    </message>
    <message>
        <source>The number is how the studio identifies a project, and how everyone else’s copy of Zol recognises it, so all three are needed.</source>
        <translation>Aan het nummer herkent de studio een project, en ook de Zol van alle anderen herkent het daaraan. Daarom zijn alle drie nodig.</translation>
    </message>
</context>
<context>
    <name>zol::ui::HistorySection</name>
    <message>
        <source>Today</source>
        <translation>Vandaag</translation>
    </message>
    <message>
        <source>Jump back to the present</source>
        <translation>Terug naar nu</translation>
    </message>
    <message>
        <source>Day</source>
        <translation>Dag</translation>
    </message>
    <message>
        <source>Week</source>
        <translation>Week</translation>
    </message>
    <message>
        <source>Month</source>
        <translation>Maand</translation>
    </message>
    <message>
        <source>List</source>
        <translation>Lijst</translation>
    </message>
    <message>
        <source>Calendar</source>
        <translation>Kalender</translation>
    </message>
    <message>
        <source>Export</source>
        <translation>Exporteren</translation>
    </message>
    <message>
        <source>Save tracked time to a file on this computer</source>
        <translation>Bijgehouden tijd opslaan in een bestand op deze computer</translation>
    </message>
    <message>
        <source>Export as CSV…</source>
        <translation>Exporteren als CSV…</translation>
    </message>
    <message>
        <source>Export as JSON…</source>
        <translation>Exporteren als JSON…</translation>
    </message>
    <message>
        <source>Export all as CSV…</source>
        <translation>Alles exporteren als CSV…</translation>
    </message>
    <message>
        <source>Export all as JSON…</source>
        <translation>Alles exporteren als JSON…</translation>
    </message>
    <message>
        <source>That project is no longer in the catalogue; its sessions keep their number and name.</source>
        <translation>Dat project staat niet meer in de catalogus; de sessies houden hun nummer en naam.</translation>
    </message>
</context>
<context>
    <name>zol::ui::HistoryUploadCard</name>
    <message>
        <source>Show uploaded file</source>
        <translation>Ingeleverd bestand tonen</translation>
    </message>
    <message>
        <source>Uploading</source>
        <translation>Bezig met inleveren</translation>
    </message>
</context>
<context>
    <name>zol::ui::IdlePrompt</name>
    <message>
        <source>Keep it</source>
        <translation>Laten staan</translation>
    </message>
    <message>
        <source>Take it off</source>
        <translation>Eraf halen</translation>
    </message>
    <message>
        <source>Away for</source>
        <translation>Weg geweest</translation>
    </message>
    <message>
        <source>Count the away time as worked</source>
        <translation>De afwezige tijd als gewerkt meetellen</translation>
    </message>
    <message>
        <source>Take the away time off the timer</source>
        <translation>De afwezige tijd van de timer afhalen</translation>
    </message>
    <message>
        <source>The timer kept running since %1</source>
        <translation>De timer is sinds %1 blijven doorlopen</translation>
    </message>
    <message>
        <source>Away for %1</source>
        <translation>%1 weg geweest</translation>
    </message>
</context>
<context>
    <name>zol::ui::InlineProjectEditor</name>
    <message>
        <source>Cancel</source>
        <translation>Annuleren</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Opslaan</translation>
    </message>
    <message>
        <source>Project no.</source>
        <translation>Projectnr.</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Naam</translation>
    </message>
    <message>
        <source>Cancel (esc)</source>
        <translation>Annuleren (esc)</translation>
    </message>
    <message>
        <source>Save (Return)</source>
        <translation>Opslaan (Enter)</translation>
    </message>
    <message>
        <source>Client</source>
        <translation>Klant</translation>
    </message>
</context>
<context>
    <name>zol::ui::MainWindow</name>
    <message>
        <source>Sections</source>
        <translation>Onderdelen</translation>
    </message>
    <message>
        <source>Administration</source>
        <translation>Administratie</translation>
    </message>
    <message>
        <source>Which set of books every screen is showing</source>
        <translation>Welke administratie elk scherm toont</translation>
    </message>
    <message>
        <source>Administration: %1</source>
        <translation>Administratie: %1</translation>
    </message>
    <message>
        <source>Manage administrations…</source>
        <translation>Administraties beheren…</translation>
    </message>
</context>
<context>
    <name>zol::ui::PanelFooter</name>
    <message>
        <source>History</source>
        <translation>Geschiedenis</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Instellingen</translation>
    </message>
    <message>
        <source>Quit Zol</source>
        <translation>Afsluiten</translation>
    </message>
    <message>
        <source>Open the history</source>
        <translation>De geschiedenis openen</translation>
    </message>
    <message>
        <source>Open the settings</source>
        <translation>De instellingen openen</translation>
    </message>
    <message>
        <source>Quit Zol (Ctrl+Q)</source>
        <translation>Zol afsluiten (Ctrl+Q)</translation>
    </message>
    <message>
        <source>Open the studio folder&apos;s settings</source>
        <translation>De instellingen van de studiomap openen</translation>
    </message>
</context>
<context>
    <name>zol::ui::PersonalSection</name>
    <message>
        <source>Personal</source>
        <translation>Persoonlijk</translation>
    </message>
    <message>
        <source>Your name as the rest of the studio sees it, and where your own hours are kept.</source>
        <translation>Je naam zoals de rest van de studio die ziet, en waar je eigen uren worden bewaard.</translation>
    </message>
    <message>
        <source>This computer&apos;s identifier</source>
        <translation>ID van deze computer</translation>
    </message>
    <message>
        <source>Timesheets are filed under</source>
        <translation>Urenstaten op naam van</translation>
    </message>
    <message>
        <source>Kept on this computer at</source>
        <translation>Op deze computer bewaard in</translation>
    </message>
    <message>
        <source>Show database in Files</source>
        <translation>Database tonen in Bestanden</translation>
    </message>
    <message>
        <source>Sessions tracked</source>
        <translation>Bijgehouden sessies</translation>
    </message>
    <message>
        <source>Tracked in total</source>
        <translation>In totaal bijgehouden</translation>
    </message>
    <message>
        <source>First tracked</source>
        <translation>Voor het eerst bijgehouden</translation>
    </message>
    <message>
        <source>Last backup</source>
        <translation>Laatste back-up</translation>
    </message>
    <message>
        <source>Show backups</source>
        <translation>Back-ups tonen</translation>
    </message>
    <message>
        <source>Your name</source>
        <translation>Je naam</translation>
    </message>
    <message>
        <source>First and last name</source>
        <translation>Voor- en achternaam</translation>
    </message>
    <message>
        <source>Recorded on every session you track and shown to the rest of the studio. Sessions already tracked keep the name they were recorded with, so changing this does not rewrite your history.</source>
        <translation>Wordt vastgelegd bij elke sessie die je bijhoudt en getoond aan de rest van de studio. Sessies die al zijn bijgehouden, houden de naam waarmee ze zijn vastgelegd; een wijziging herschrijft je geschiedenis dus niet.</translation>
    </message>
    <message>
        <source>This computer</source>
        <translation>Deze computer</translation>
    </message>
    <message>
        <source>The identifier is how the shared folder tells one computer from another. It stays put when you rename yourself, which is what lets your timesheets follow the new name.</source>
        <translation>Aan het ID onderscheidt de gedeelde map de ene computer van de andere. Het blijft hetzelfde als je jezelf een andere naam geeft, en daardoor volgen je urenstaten de nieuwe naam.</translation>
    </message>
    <message>
        <source>Everything you track is written here the moment a timer starts, before anything is shared and whether or not the NAS is mounted. Deleting Zol does not delete this folder.</source>
        <translation>Alles wat je bijhoudt, wordt hier weggeschreven zodra een timer start, nog voordat er iets wordt gedeeld en of de NAS nu gekoppeld is of niet. Als je Zol verwijdert, blijft deze map staan.</translation>
    </message>
    <message>
        <source>Restore…</source>
        <translation>Terugzetten…</translation>
    </message>
    <message>
        <source>Restore a backup</source>
        <translation>Een back-up terugzetten</translation>
    </message>
    <message>
        <source>Export everything…</source>
        <translation>Alles exporteren…</translation>
    </message>
    <message>
        <source>Restore</source>
        <translation>Terugzetten</translation>
    </message>
</context>
<context>
    <name>zol::ui::ProjectBadge</name>
    <message>
        <source>Internal</source>
        <translation>Intern</translation>
    </message>
</context>
<context>
    <name>zol::ui::ProjectListModel</name>
    <message>
        <source>No number</source>
        <translation>Geen nummer</translation>
    </message>
    <message>
        <source>%1, tracking</source>
        <translation>%1, wordt bijgehouden</translation>
    </message>
    <message>
        <source>%1, selected</source>
        <translation>%1, geselecteerd</translation>
    </message>
</context>
<context>
    <name>zol::ui::ProjectPicker</name>
    <message>
        <source>Or set up the studio folder</source>
        <translation>Of stel de studiomap in</translation>
    </message>
    <message>
        <source>Search number, client or name</source>
        <translation>Zoek op nummer, klant of naam</translation>
    </message>
    <message>
        <source>Clear the project filter</source>
        <translation>Het projectfilter wissen</translation>
    </message>
    <message>
        <source>Projects</source>
        <translation>Projecten</translation>
    </message>
    <message>
        <source>No projects yet</source>
        <translation>Nog geen projecten</translation>
    </message>
    <message>
        <source>Press + above to add one, and the timer can start.</source>
        <translation>Druk hierboven op + om er een toe te voegen, dan kan de timer starten.</translation>
    </message>
    <message>
        <source>Close the new project form</source>
        <translation>Het formulier voor een nieuw project sluiten</translation>
    </message>
    <message>
        <source>Add a project</source>
        <translation>Een project toevoegen</translation>
    </message>
</context>
<context>
    <name>zol::ui::ProjectRowDelegate</name>
    <message>
        <source>Edit project (F2)</source>
        <translation>Project bewerken (F2)</translation>
    </message>
</context>
<context>
    <name>zol::ui::ProjectSheet</name>
    <message>
        <source>Save</source>
        <translation>Opslaan</translation>
    </message>
    <message>
        <source>Add project</source>
        <translation>Project toevoegen</translation>
    </message>
    <message>
        <source>Edit project</source>
        <translation>Project bewerken</translation>
    </message>
    <message>
        <source>New project</source>
        <translation>Nieuw project</translation>
    </message>
    <message>
        <source>Number</source>
        <translation>Nummer</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Naam</translation>
    </message>
    <message>
        <source>Brand book</source>
        <translation>Huisstijlhandboek</translation>
    </message>
    <message>
        <source>Client</source>
        <translation>Klant</translation>
    </message>
    <message>
        <source>Acme</source>
        <translation>Acme</translation>
    </message>
    <message>
        <source>A pre-filled number is a suggestion, never a rule. It can always be typed over, because a project numbered by a client is still a real project.</source>
        <translation>Een vooraf ingevuld nummer is een voorstel, nooit een regel. Je kunt het altijd overtypen, want een project dat een klant heeft genummerd, is ook een echt project.</translation>
    </message>
    <message>
        <source>The number is how the studio identifies a project, and how everyone else’s copy of Zol recognises it, so all three are needed.</source>
        <translation>Aan het nummer herkent de studio een project, en ook de Zol van alle anderen herkent het daaraan. Daarom zijn alle drie nodig.</translation>
    </message>
</context>
<context>
    <name>zol::ui::ProjectsSection</name>
    <message>
        <source>Projects</source>
        <translation>Projecten</translation>
    </message>
    <message>
        <source>Every project of this administration: what the picker offers, what is archived, and what was never used.</source>
        <translation>Alle projecten van deze administratie: wat de keuzelijst aanbiedt, wat gearchiveerd is en wat nooit is gebruikt.</translation>
    </message>
    <message>
        <source>Which projects to show</source>
        <translation>Welke projecten tonen</translation>
    </message>
    <message>
        <source>Sort</source>
        <translation>Sorteren</translation>
    </message>
    <message>
        <source>Search number, client or project name</source>
        <translation>Zoek op nummer, klant of projectnaam</translation>
    </message>
    <message>
        <source>Search looks at the number, the client and the project name, and ignores accents.</source>
        <translation>Zoeken kijkt naar het nummer, de klant en de projectnaam, en negeert accenten.</translation>
    </message>
    <message>
        <source>New project</source>
        <translation>Nieuw project</translation>
    </message>
</context>
<context>
    <name>zol::ui::SearchResultsModel</name>
    <message>
        <source>When</source>
        <translation>Wanneer</translation>
    </message>
    <message>
        <source>Project</source>
        <translation>Project</translation>
    </message>
    <message>
        <source>Client</source>
        <translation>Klant</translation>
    </message>
    <message>
        <source>Note</source>
        <translation>Notitie</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Duur</translation>
    </message>
    <message>
        <source>Internal</source>
        <translation>Intern</translation>
    </message>
</context>
<context>
    <name>zol::ui::SearchSection</name>
    <message>
        <source>Search everything you have tracked</source>
        <translation>Doorzoek alles wat je hebt bijgehouden</translation>
    </message>
    <message>
        <source>A client, a project number, part of a name, or something you wrote in a note. Matching sessions are added up for you.</source>
        <translation>Een klant, een projectnummer, een deel van een naam of iets wat je in een notitie schreef. De gevonden sessies worden voor je opgeteld.</translation>
    </message>
    <message>
        <source>Search</source>
        <translation>Zoeken</translation>
    </message>
    <message>
        <source>Client, project number, name or note</source>
        <translation>Klant, projectnummer, naam of notitie</translation>
    </message>
    <message>
        <source>Looking back over</source>
        <translation>Zoeken in</translation>
    </message>
    <message>
        <source>Searching</source>
        <translation>Bezig met zoeken</translation>
    </message>
    <message>
        <source>Matching sessions</source>
        <translation>Gevonden sessies</translation>
    </message>
    <message>
        <source>Export everything</source>
        <translation>Alles exporteren</translation>
    </message>
    <message>
        <source>Search results are a view of your history; export writes all of it</source>
        <translation>Zoekresultaten zijn een weergave van je geschiedenis; exporteren schrijft alles weg</translation>
    </message>
</context>
<context>
    <name>zol::ui::SessionDetails</name>
    <message>
        <source>Session</source>
        <translation>Sessie</translation>
    </message>
    <message>
        <source>Edit…</source>
        <translation>Bewerken…</translation>
    </message>
    <message>
        <source>Edit this session</source>
        <translation>Deze sessie bewerken</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Verwijderen</translation>
    </message>
    <message>
        <source>Delete this session</source>
        <translation>Deze sessie verwijderen</translation>
    </message>
    <message>
        <source>Internal work</source>
        <translation>Intern werk</translation>
    </message>
</context>
<context>
    <name>zol::ui::SessionEditor</name>
    <message>
        <source>%1 (internal work)</source>
        <translation>%1 (intern werk)</translation>
    </message>
    <message>
        <source>Duration, hours</source>
        <translation>Duur, uren</translation>
    </message>
    <message>
        <source> h</source>
        <translation> u</translation>
    </message>
    <message>
        <source>Duration, minutes</source>
        <translation>Duur, minuten</translation>
    </message>
    <message>
        <source> min</source>
        <translation> min</translation>
    </message>
    <message>
        <source>Paused, hours</source>
        <translation>Gepauzeerd, uren</translation>
    </message>
    <message>
        <source>Paused, minutes</source>
        <translation>Gepauzeerd, minuten</translation>
    </message>
    <message>
        <source>Move this session to another project</source>
        <translation>Deze sessie naar een ander project verplaatsen</translation>
    </message>
    <message>
        <source>Keep this project</source>
        <translation>Dit project houden</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Opslaan</translation>
    </message>
    <message>
        <source>Edit session</source>
        <translation>Sessie bewerken</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Datum</translation>
    </message>
    <message>
        <source>From</source>
        <translation>Van</translation>
    </message>
    <message>
        <source>Until</source>
        <translation>Tot</translation>
    </message>
    <message>
        <source>Note</source>
        <translation>Notitie</translation>
    </message>
    <message>
        <source>What was done</source>
        <translation>Wat er is gedaan</translation>
    </message>
    <message>
        <source>Task</source>
        <translation>Taak</translation>
    </message>
    <message>
        <source>Project to move to</source>
        <translation>Verplaatsen naar project</translation>
    </message>
    <message>
        <source>Duration</source>
        <translation>Duur</translation>
    </message>
    <message>
        <source>Paused</source>
        <translation>Gepauzeerd</translation>
    </message>
    <message>
        <source>Project</source>
        <translation>Project</translation>
    </message>
</context>
<context>
    <name>zol::ui::SessionReadout</name>
    <message>
        <source>Paused</source>
        <translation>Gepauzeerd</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stoppen</translation>
    </message>
    <message>
        <source>Cancel recording</source>
        <translation>Opname annuleren</translation>
    </message>
    <message>
        <source>Keep tracking</source>
        <translation>Doorgaan</translation>
    </message>
    <message>
        <source>Discard</source>
        <translation>Weggooien</translation>
    </message>
    <message>
        <source>Add a note (optional)</source>
        <translation>Notitie toevoegen (optioneel)</translation>
    </message>
    <message>
        <source>Note</source>
        <translation>Notitie</translation>
    </message>
    <message>
        <source>Stop (Ctrl+Return)</source>
        <translation>Stoppen (Ctrl+Enter)</translation>
    </message>
    <message>
        <source>Stop this session and start the selected work</source>
        <translation>Deze sessie stoppen en het geselecteerde werk starten</translation>
    </message>
    <message>
        <source>Throw this recording away without keeping any of it</source>
        <translation>Deze opname weggooien zonder er iets van te bewaren</translation>
    </message>
    <message>
        <source>It will not be recorded.</source>
        <translation>Deze tijd wordt niet vastgelegd.</translation>
    </message>
    <message>
        <source>Internal</source>
        <translation>Intern</translation>
    </message>
    <message>
        <source>No number</source>
        <translation>Geen nummer</translation>
    </message>
    <message>
        <source>Internal time</source>
        <translation>Interne tijd</translation>
    </message>
    <message>
        <source>Task: %1</source>
        <translation>Taak: %1</translation>
    </message>
    <message>
        <source>Resume</source>
        <translation>Hervatten</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pauzeren</translation>
    </message>
    <message>
        <source>%1 (Space)</source>
        <translation>%1 (spatie)</translation>
    </message>
    <message>
        <source>Running longer than the warning</source>
        <translation>Loopt langer dan de waarschuwingsgrens</translation>
    </message>
    <message>
        <source>Running</source>
        <translation>Loopt</translation>
    </message>
    <message>
        <source>Paused on %1, %2</source>
        <translation>Gepauzeerd op %1, %2</translation>
    </message>
    <message>
        <source>Tracking %1, %2</source>
        <translation>Bezig met %1, %2</translation>
    </message>
</context>
<context>
    <name>zol::ui::StatusLine</name>
    <message>
        <source>Undo</source>
        <translation>Ongedaan maken</translation>
    </message>
    <message>
        <source>Bring the deleted sessions back</source>
        <translation>De verwijderde sessies terughalen</translation>
    </message>
    <message>
        <source>Done: %1</source>
        <translation>Gelukt: %1</translation>
    </message>
    <message>
        <source>Failed: %1</source>
        <translation>Mislukt: %1</translation>
    </message>
</context>
<context>
    <name>zol::ui::StatusStrip</name>
    <message>
        <source>Undo</source>
        <translation>Ongedaan maken</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>Undo the deletion</source>
        <translation>Verwijderen ongedaan maken</translation>
    </message>
</context>
<context>
    <name>zol::ui::StudioSection</name>
    <message>
        <source>Studio</source>
        <translation>Studio</translation>
    </message>
    <message>
        <source>Where this administration meets the rest of the studio: the shared project list and the timesheets handed in.</source>
        <translation>Waar deze administratie de rest van de studio ontmoet: de gedeelde projectlijst en de ingeleverde urenstaten.</translation>
    </message>
    <message>
        <source>This administration never shares</source>
        <translation>Deze administratie deelt nooit</translation>
    </message>
    <message>
        <source>Manage administrations…</source>
        <translation>Administraties beheren…</translation>
    </message>
    <message>
        <source>Studio folder</source>
        <translation>Studiomap</translation>
    </message>
    <message>
        <source>Disconnect</source>
        <translation>Ontkoppelen</translation>
    </message>
    <message>
        <source>Share the project list</source>
        <translation>De projectlijst delen</translation>
    </message>
    <message>
        <source>Sync now</source>
        <translation>Nu synchroniseren</translation>
    </message>
    <message>
        <source>Hand in weeks and months automatically</source>
        <translation>Weken en maanden automatisch inleveren</translation>
    </message>
    <message>
        <source>Sending hours onward</source>
        <translation>Uren doorsturen</translation>
    </message>
    <message>
        <source>Later</source>
        <translation>Later</translation>
    </message>
    <message>
        <source>%1: Later</source>
        <translation>%1: Later</translation>
    </message>
    <message>
        <source>No folder chosen</source>
        <translation>Geen map gekozen</translation>
    </message>
    <message>
        <source>Looking at the folder…</source>
        <translation>De map wordt bekeken…</translation>
    </message>
    <message>
        <source>Syncing…</source>
        <translation>Synchroniseren…</translation>
    </message>
</context>
<context>
    <name>zol::ui::TaskPicker</name>
    <message>
        <source>Task</source>
        <translation>Taak</translation>
    </message>
    <message>
        <source>What kind of work this is</source>
        <translation>Wat voor werk dit is</translation>
    </message>
</context>
<context>
    <name>zol::ui::TasksSection</name>
    <message>
        <source>Tasks</source>
        <translation>Taken</translation>
    </message>
    <message>
        <source>What kind of work a session was, recorded with the project it was for.</source>
        <translation>Het soort werk van een sessie, vastgelegd samen met het project waarvoor het was.</translation>
    </message>
    <message>
        <source>Record a task with every session</source>
        <translation>Bij elke sessie een taak vastleggen</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Toevoegen</translation>
    </message>
    <message>
        <source>Add a task, like Editing logos</source>
        <translation>Voeg een taak toe, zoals Logo’s bewerken</translation>
    </message>
    <message>
        <source>Add task</source>
        <translation>Taak toevoegen</translation>
    </message>
    <message>
        <source>General is always first and cannot be removed: it is what a session records when nothing more specific fits. The order here is the order in the picker. Removing a task does not change sessions already recorded with it.</source>
        <translation>General staat altijd bovenaan en kan niet worden verwijderd: dat legt een sessie vast als niets specifiekers past. De volgorde hier is de volgorde in de keuzelijst. Een taak verwijderen verandert niets aan sessies die er al mee zijn vastgelegd.</translation>
    </message>
    <message>
        <source>The most recent change anybody makes is the list everybody uses.</source>
        <translation>De laatste wijziging, van wie dan ook, is de lijst die iedereen gebruikt.</translation>
    </message>
    <message>
        <source>Always there</source>
        <translation>Altijd aanwezig</translation>
    </message>
    <message>
        <source>Move up</source>
        <translation>Omhoog</translation>
    </message>
    <message>
        <source>Move down</source>
        <translation>Omlaag</translation>
    </message>
    <message>
        <source>Remove %1</source>
        <translation>%1 verwijderen</translation>
    </message>
</context>
<context>
    <name>zol::ui::TodaySummary</name>
    <message>
        <source> tracked today </source>
        <comment>between the day&apos;s total and the session count</comment>
        <translation> vandaag bijgehouden </translation>
    </message>
    <message>
        <source>%1, %2 tracked today %3</source>
        <translation>%1, %2 vandaag bijgehouden %3</translation>
    </message>
</context>
<context>
    <name>zol::ui::TrayApp</name>
    <message>
        <source>Zol found no tray to sit in, so it opened in a window of its own. %1 The clock moves into the tray as soon as one appears.</source>
        <translation>Zol vond geen systeemvak en is daarom in een eigen venster geopend. %1 De klok verhuist naar het systeemvak zodra er een verschijnt.</translation>
    </message>
</context>
<context>
    <name>zol::ui::TrayIcon</name>
    <message>
        <source>Open Zol</source>
        <translation>Zol openen</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pauzeren</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stoppen</translation>
    </message>
    <message>
        <source>History</source>
        <translation>Geschiedenis</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Instellingen</translation>
    </message>
    <message>
        <source>Quit Zol</source>
        <translation>Zol afsluiten</translation>
    </message>
    <message>
        <source>Resume</source>
        <translation>Hervatten</translation>
    </message>
</context>
<context>
    <name>zol::ui::WelcomeWindow</name>
    <message>
        <source>Back</source>
        <translation>Terug</translation>
    </message>
    <message>
        <source>Continue</source>
        <translation>Verder</translation>
    </message>
    <message>
        <source>Skip</source>
        <translation>Overslaan</translation>
    </message>
    <message>
        <source>Start tracking</source>
        <translation>Aan de slag</translation>
    </message>
    <message>
        <source>Welcome to Zol</source>
        <translation>Welkom bij Zol</translation>
    </message>
    <message>
        <source>Your hours stay on this computer</source>
        <translation>Je uren blijven op deze computer</translation>
    </message>
    <message>
        <source>You are in a set of books called Local, and Local never touches a shared drive.</source>
        <translation>Je werkt in een administratie met de naam Local, en Local komt nooit op een gedeelde schijf.</translation>
    </message>
    <message>
        <source>Nothing is uploaded. Nobody else can see it. There is no account.</source>
        <translation>Er wordt niets geüpload. Niemand anders kan het zien. Er is geen account.</translation>
    </message>
    <message>
        <source>What should the studio call you?</source>
        <translation>Hoe mag de studio je noemen?</translation>
    </message>
    <message>
        <source>Your name</source>
        <translation>Je naam</translation>
    </message>
    <message>
        <source>Without one, your timesheets are filed under “Onbekend”, the studio folder&apos;s name for someone who has not given one.</source>
        <translation>Zonder naam komen je urenstaten onder “Onbekend” te staan: zo noemt de studiomap iemand die geen naam heeft opgegeven.</translation>
    </message>
    <message>
        <source>That is everything</source>
        <translation>Dat was het</translation>
    </message>
    <message>
        <source>Two ways to start a timer, and one place for the rest.</source>
        <translation>Twee manieren om een timer te starten, en één plek voor de rest.</translation>
    </message>
    <message>
        <source>The clock in the tray</source>
        <translation>De klok in het systeemvak</translation>
    </message>
    <message>
        <source>Click it, pick a project, and press Start.</source>
        <translation>Klik erop, kies een project en druk op Starten.</translation>
    </message>
    <message>
        <source>The main window</source>
        <translation>Het hoofdvenster</translation>
    </message>
    <message>
        <source>Settings, history, projects and Analytics, all in one window.</source>
        <translation>Instellingen, geschiedenis, projecten en Analyse, allemaal in één venster.</translation>
    </message>
    <message>
        <source>Set up a studio…</source>
        <translation>Een studio instellen…</translation>
    </message>
    <message>
        <source>Set up a studio</source>
        <translation>Een studio instellen</translation>
    </message>
</context>
<context>
    <name>zol::ui::main</name>
    <message>
        <source>Usage: zol-tray
The Zol tray app: the clock in the tray, its panel and the main window.
Started a second time, it opens the panel of the one already running.
&apos;zol --help&apos; lists the commands of the command line.
</source>
        <translation>Gebruik: zol-tray
De systeemvak-app van Zol: de klok in het systeemvak, het paneel en het hoofdvenster.
Wordt de app een tweede keer gestart, dan opent die het paneel van de app die al draait.
&apos;zol --help&apos; toont de opdrachten van de opdrachtregel.
</translation>
    </message>
</context>
</TS>

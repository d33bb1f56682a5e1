#include "Help/model/ReferencePageTexts.h"

namespace Fasoria::ReferenceTexts {

// clang-format off
const TextPair kGatesBody = {
R"(<h2>Porte quantistiche: le operazioni disponibili</h2>
<p>Fasoria offre cinque porte: H, X, Z, P(θ) e CNOT. Ognuna agisce in modo esatto sull'elenco delle ampiezze,
in doppia precisione, senza rumore e senza rinormalizzare. Le matrici sono scritte nell'ordine |0&gt;, |1&gt;
del qubit su cui la porta agisce.</p>
<blockquote><b>Ordine dei bit.</b> Il qubit qk è il bit k dell'indice dello stato di base: q0 è il bit meno
significativo e si scrive <b>a destra</b>. Con due qubit |10&gt; è l'indice 2 e significa q1 = 1, q0 = 0.
Una porta su qk accoppia ogni indice i che ha il bit k uguale a 0 con l'indice i + 2<sup>k</sup>.</blockquote>
<h3>H (Hadamard)</h3>
{matrix H = 1/√2 ·|1 1;1 −1}
<p>Per ogni coppia (a, b) = (ampiezza di i, ampiezza di i + 2<sup>k</sup>) scrive (a + b)/√2 e (a − b)/√2.
Da |0&gt; produce (|0&gt; + |1&gt;)/√2: due esiti con probabilità 1/2 ciascuno. Applicata due volte restituisce
lo stato di partenza (H·H = identità), perché i due contributi a |1&gt; hanno segni opposti e si cancellano:
è l'interferenza della lezione 02. Il programma ottiene 0.9999999999999998 invece di 1: è l'arrotondamento
onesto della doppia precisione.</p>
<h3>X (NOT)</h3>
{matrix X =|0 1;1 0}
<p>Scambia le ampiezze di i e di i + 2<sup>k</sup>: in ogni stato di base il bit di qk si inverte. Con due
qubit X(q0) scambia |00&gt; ↔ |01&gt; e |10&gt; ↔ |11&gt;, mentre X(q1) scambia |00&gt; ↔ |10&gt; e
|01&gt; ↔ |11&gt;. Quindi X(q0) su |00&gt; dà |01&gt; (indice 1), non |10&gt;.</p>
<h3>Z (inversione di fase)</h3>
{matrix Z =|1 0;0 −1}
<p>Cambia il segno di ogni ampiezza il cui bit k vale 1. Le probabilità non cambiano, quindi una misura da sola
non vede Z; una H prima e una dopo trasformano il segno in un esito: H·Z·H = X (lezione 04).</p>
<h3>P(θ) (fase)</h3>
{matrix P(θ) =|1 0;0 e<sup>iθ</sup>}
<p>Moltiplica ogni ampiezza il cui bit k vale 1 per e<sup>iθ</sup> = cos θ + i sin θ: la sua freccia ruota di θ
in senso antiorario e la lunghezza resta la stessa. Nell'editor θ si inserisce in gradi con un decimale
(da −360 a 360); all'interno del programma diventa un angolo in radianti. P(180°) = Z; P(90°) si chiama
spesso S e P(45°) T. La rete CCZ delle lezioni di Grover è fatta di P(±45°) e di CNOT.</p>
<h3>CNOT(c → t) (NOT controllato)</h3>
<p>Dove il bit di controllo c vale 1 inverte il bit bersaglio t: scambia le ampiezze di i e di i + 2<sup>t</sup>
per ogni i con bit c = 1 e bit t = 0. Le altre ampiezze restano intatte. Controllo e bersaglio devono essere
qubit diversi. Con controllo q0 e bersaglio q1, nell'ordine |00&gt;, |01&gt;, |10&gt;, |11&gt; (q1 a sinistra,
q0 a destra):</p>
{matrix CNOT(q0 → q1) =|1 0 0 0;0 0 0 1;0 0 1 0;0 1 0 0}
<p>Scambia |01&gt; e |11&gt;. I libri che scrivono il controllo come bit di sinistra mostrano una matrice
dall'aspetto diverso per la stessa porta: cambia soltanto l'etichettatura. H(q0) seguita da CNOT(q0 → q1)
trasforma |00&gt; in (|00&gt; + |11&gt;)/√2, la coppia di Bell delle lezioni 03 e 10.</p>
<h3>Riepilogo</h3>
<table>
<tr><th>Porta</th><th>Probabilità</th><th>Effetto sulle ampiezze del qubit qk</th></tr>
<tr><td>H</td><td>cambiano</td><td>ogni coppia diventa (a + b)/√2, (a − b)/√2</td></tr>
<tr><td>X</td><td>si spostano</td><td>ogni coppia si scambia</td></tr>
<tr><td>Z</td><td>invariate</td><td>le ampiezze con bit k = 1 cambiano segno</td></tr>
<tr><td>P(θ)</td><td>invariate</td><td>le ampiezze con bit k = 1 ruotano di θ</td></tr>
<tr><td>CNOT</td><td>si spostano</td><td>le coppie del bersaglio si scambiano dove il controllo vale 1</td></tr>
</table>
)",
R"(<h2>Quantum gates: the available operations</h2>
<p>Fasoria has five gates: H, X, Z, P(θ) and CNOT. Each one acts exactly on the list of amplitudes, in double
precision, without noise and without renormalising. The matrices are written in the order |0&gt;, |1&gt; of the
qubit the gate acts on.</p>
<blockquote><b>Bit order.</b> Qubit qk is bit k of the basis-state index: q0 is the least-significant bit and
is written <b>rightmost</b>. With two qubits |10&gt; is index 2 and means q1 = 1, q0 = 0. A gate on qk pairs
every index i whose bit k is 0 with the index i + 2<sup>k</sup>.</blockquote>
<h3>H (Hadamard)</h3>
{matrix H = 1/√2 ·|1 1;1 −1}
<p>For every pair (a, b) = (amplitude of i, amplitude of i + 2<sup>k</sup>) it writes (a + b)/√2 and
(a − b)/√2. From |0&gt; it makes (|0&gt; + |1&gt;)/√2: two outcomes with probability 1/2 each. Applied twice it
gives back the starting state (H·H = identity), because the two contributions to |1&gt; have opposite signs and
cancel: this is the interference of lesson 02. The program obtains 0.9999999999999998 instead of 1: the honest
rounding of double precision.</p>
<h3>X (NOT)</h3>
{matrix X =|0 1;1 0}
<p>Exchanges the amplitudes of i and i + 2<sup>k</sup>: in every basis state the bit of qk flips. With two
qubits X(q0) exchanges |00&gt; ↔ |01&gt; and |10&gt; ↔ |11&gt;, while X(q1) exchanges |00&gt; ↔ |10&gt; and
|01&gt; ↔ |11&gt;. So X(q0) on |00&gt; gives |01&gt; (index 1), not |10&gt;.</p>
<h3>Z (phase flip)</h3>
{matrix Z =|1 0;0 −1}
<p>Changes the sign of every amplitude whose bit k is 1. Probabilities do not change, so a measurement alone
cannot see Z; an H before and one after turn the sign into an outcome: H·Z·H = X (lesson 04).</p>
<h3>P(θ) (phase)</h3>
{matrix P(θ) =|1 0;0 e<sup>iθ</sup>}
<p>Multiplies every amplitude whose bit k is 1 by e<sup>iθ</sup> = cos θ + i sin θ: its arrow turns by θ
counter-clockwise and keeps its length. The editor takes θ in degrees with one decimal (−360 to 360); inside
the program it becomes an angle in radians. P(180°) = Z; P(90°) is often called S and P(45°) T. The CCZ
network of the Grover lessons is made of P(±45°) and CNOT gates.</p>
<h3>CNOT(c → t) (controlled NOT)</h3>
<p>Where the control bit c is 1 it flips the target bit t: it exchanges the amplitudes of i and i + 2<sup>t</sup>
for every i with bit c = 1 and bit t = 0. The other amplitudes are untouched. Control and target must be
different qubits. With control q0 and target q1, in the order |00&gt;, |01&gt;, |10&gt;, |11&gt; (q1 left,
q0 right):</p>
{matrix CNOT(q0 → q1) =|1 0 0 0;0 0 0 1;0 0 1 0;0 1 0 0}
<p>It exchanges |01&gt; and |11&gt;. Books that write the control as the left bit show a different-looking
matrix for the same gate: only the labelling differs. H(q0) followed by CNOT(q0 → q1) turns |00&gt; into
(|00&gt; + |11&gt;)/√2, the Bell pair of lessons 03 and 10.</p>
<h3>Summary</h3>
<table>
<tr><th>Gate</th><th>Probabilities</th><th>Effect on the amplitudes of qubit qk</th></tr>
<tr><td>H</td><td>change</td><td>every pair becomes (a + b)/√2, (a − b)/√2</td></tr>
<tr><td>X</td><td>move</td><td>every pair is exchanged</td></tr>
<tr><td>Z</td><td>unchanged</td><td>amplitudes with bit k = 1 change sign</td></tr>
<tr><td>P(θ)</td><td>unchanged</td><td>amplitudes with bit k = 1 turn by θ</td></tr>
<tr><td>CNOT</td><td>move</td><td>the target's pairs are exchanged where the control is 1</td></tr>
</table>
)"};

const TextPair kBasicsBody = {
R"(<h2>Che cosa calcola Fasoria?</h2>
<p>Fasoria conserva lo stato completo di un registro di n qubit (da 1 a 12; l'editor costruisce circuiti da 1 a
8 qubit) come un elenco di 2<sup>n</sup> numeri complessi, le <b>ampiezze</b>, uno per ogni stato della base
computazionale. In questo elenco non c'è nulla di casuale: è calcolato in modo esatto, porta dopo porta, in
doppia precisione, per una macchina ideale senza rumore.</p>
<h3>Qubit e stati di base</h3>
<p>Uno stato di base è una fila di bit, uno per qubit, scritta con q(n−1) a sinistra e q0 a destra.
L'etichetta è il numero binario dell'indice della riga: con tre qubit |101&gt; è l'indice 5 (q2 = 1, q1 = 0,
q0 = 1). Due qubit danno 4 righe, tre ne danno 8, dodici 4096. Ogni calcolo parte da |0…0&gt;.</p>
<h3>Ampiezze e fasi</h3>
<p>Ogni ampiezza α = re + i·im ha una lunghezza |α| e una direzione, la <b>fase</b> atan2(im, re), mostrata in
gradi e disegnata come freccia nella tabella. Quando la lunghezza è sotto 10<sup>−12</sup> la fase non viene
mostrata: un'ampiezza nulla non ha direzione.</p>
<h3>Probabilità</h3>
<p>La probabilità di leggere lo stato di base i è |α|² = re² + im². Tutte le probabilità sommate danno 1; la
riga sotto la tabella mostra questa somma, la norma. Le porte non rinormalizzano mai: uno scarto dalla norma è
soltanto arrotondamento, dell'ordine di 10<sup>−15</sup>.</p>
<blockquote>Moltiplicare tutte le ampiezze per la stessa fase (una fase <i>globale</i>) non cambia nulla di
misurabile. Una fase <i>relativa</i> fra ampiezze invece conta: una H successiva la trasforma in probabilità
diverse.</blockquote>
<h3>Fasi del circuito e ricostruzione</h3>
<p>La fase del circuito è il numero di porte applicate. Ogni volta che ci si sposta su una fase ({84}, un clic
su una porta nel disegno, un punto di controllo) lo stato viene ricostruito da |0…0&gt; applicando di nuovo le
prime k porte: ciò che si vede è sempre esattamente il prefisso del circuito.</p>
<h3>Misura</h3>
<p><b>{26}</b> sceglie un esito con le probabilità della tabella e fa collassare lo stato mostrato su di esso,
fino alla navigazione successiva. <b>{28}</b> prepara lo stesso stato 10, 100, 1000 o 10000 volte e conta gli
esiti senza toccare lo stato mostrato: le frequenze si avvicinano alle probabilità quando le ripetizioni
crescono, ma non le eguagliano mai esattamente. Con <b>{134}</b> si annota la propria previsione prima di
misurare, per confrontarla poi con la teoria.</p>
<h3>La tabella delle ampiezze</h3>
<table>
<tr><th>Colonna</th><th>Significato</th></tr>
<tr><td>{39}</td><td>l'etichetta dello stato di base, q0 a destra</td></tr>
<tr><td>{40}, {41}</td><td>parte reale e parte immaginaria dell'ampiezza</td></tr>
<tr><td>{42}</td><td>la fase in gradi e la sua freccia</td></tr>
<tr><td>{43}</td><td>la probabilità |α|² in percentuale</td></tr>
<tr><td>{44}</td><td>quante volte l'esito è comparso nelle ultime preparazioni ripetute</td></tr>
<tr><td>Frequenza %</td><td>lo stesso conteggio diviso per il numero di preparazioni</td></tr>
</table>
)",
R"(<h2>What is Fasoria calculating?</h2>
<p>Fasoria keeps the complete state of a register of n qubits (1 to 12; the editor builds circuits of 1 to 8
qubits) as a list of 2<sup>n</sup> complex numbers, the <b>amplitudes</b>, one for every state of the
computational basis. Nothing in this list is random: it is computed exactly, gate after gate, in double
precision, for an ideal machine without noise.</p>
<h3>Qubits and basis states</h3>
<p>A basis state is a row of bits, one per qubit, written with q(n−1) on the left and q0 on the right. The label
is the binary number of the row's index: with three qubits |101&gt; is index 5 (q2 = 1, q1 = 0, q0 = 1). Two
qubits give 4 rows, three give 8, twelve 4096. Every computation starts from |0…0&gt;.</p>
<h3>Amplitudes and phases</h3>
<p>Every amplitude α = re + i·im has a length |α| and a direction, the <b>phase</b> atan2(im, re), shown in
degrees and drawn as an arrow in the table. When the length is below 10<sup>−12</sup> no phase is shown: a zero
amplitude has no direction.</p>
<h3>Probabilities</h3>
<p>The probability of reading basis state i is |α|² = re² + im². All probabilities add up to 1; the line below
the table shows this sum, the norm. Gates never renormalise: a deviation of the norm is rounding only, of the
order of 10<sup>−15</sup>.</p>
<blockquote>Multiplying every amplitude by the same phase (a <i>global</i> phase) changes nothing measurable. A
<i>relative</i> phase between amplitudes does matter: a later H turns it into different
probabilities.</blockquote>
<h3>Stages and replay</h3>
<p>The stage of the circuit is the number of gates applied. Every time you move to a stage ({84}, a click on a
gate in the drawing, a checkpoint) the state is rebuilt from |0…0&gt; by applying the first k gates again: what
you see is always exactly the circuit's prefix.</p>
<h3>Measurement</h3>
<p><b>{26}</b> picks one outcome with the probabilities of the table and collapses the displayed state onto it,
until the next navigation. <b>{28}</b> prepares the same state 10, 100, 1000 or 10000 times and counts the
outcomes without touching the displayed state: the frequencies approach the probabilities as the repetitions
grow, but never equal them exactly. With <b>{134}</b> you note your prediction before measuring, to compare it
with the theory afterwards.</p>
<h3>The amplitude table</h3>
<table>
<tr><th>Column</th><th>Meaning</th></tr>
<tr><td>{39}</td><td>the label of the basis state, q0 rightmost</td></tr>
<tr><td>{40}, {41}</td><td>real part and imaginary part of the amplitude</td></tr>
<tr><td>{42}</td><td>the phase in degrees and its arrow</td></tr>
<tr><td>{43}</td><td>the probability |α|² as a percentage</td></tr>
<tr><td>{44}</td><td>how often the outcome appeared in the last repeated preparations</td></tr>
<tr><td>Frequenza %</td><td>the same count divided by the number of preparations</td></tr>
</table>
)"};

const TextPair kAlgorithmsBody = {
R"(<h2>Il laboratorio degli algoritmi</h2>
<p>Un <b>oracolo</b> è una funzione f nascosta dentro un circuito: si può interrogare, ma non leggere. Gli
algoritmi si confrontano contando le interrogazioni che richiedono. In Fasoria ogni oracolo è costruito con le
cinque porte primitive, quindi lo si può percorrere passo per passo e vedere che cosa fa alle ampiezze.</p>
<h3>Deutsch: costante o bilanciata?</h3>
<p>f porta un bit in un bit ed è costante (f(0) = f(1)) oppure bilanciata (f(0) ≠ f(1)). Classicamente servono
due valutazioni di f. Fasoria prepara q0 in (|0&gt; + |1&gt;)/√2 e l'ausiliario q1 in (|0&gt; − |1&gt;)/√2 con
X q1, H q1, H q0; l'oracolo somma f(x) a q1 (X q1 per f(x) = 1 o 1 − x, CNOT(q0 → q1) per f(x) = x o 1 − x) e
così scrive (−1)<sup>f(x)</sup> nella fase di q0. Una H finale su q0 trasforma quella fase nella risposta:
q0 = 0 costante, q0 = 1 bilanciata, con una sola interrogazione. Lezioni 15, 16 e 17.</p>
<h3>Bernstein-Vazirani: una stringa segreta in una interrogazione</h3>
<p>f(x) = s·x mod 2 nasconde una stringa s di n bit. Classicamente servono n interrogazioni, una per vettore di
base. I qubit dati q0 … q(n−1) vanno in sovrapposizione, l'ausiliario qn in (|0&gt; − |1&gt;)/√2; l'oracolo è
una CNOT(qj → qn) per ogni bit j di s che vale 1. Dopo le H finali il registro dati legge s con certezza; la
misura dell'ausiliario è casuale e non porta informazione. La lezione 18 nasconde s = 101 (q2 q1 q0).</p>
<h3>Grover: cercare un valore marcato</h3>
<p>Fra N = 2<sup>n</sup> valori uno è marcato. L'oracolo cambia il segno della sua ampiezza: X sui qubit il cui
bit del valore marcato è 0, poi CZ (2 qubit, 3 porte) o CCZ (3 qubit, 17 porte fatte di P(±45°) e CNOT), poi
di nuovo le stesse X. La diffusione (H, X, CZ o CCZ, X, H su tutti i qubit: 11 porte con 2 qubit, 29 con 3)
riflette ogni ampiezza rispetto alla media, e quella marcata cresce. Classicamente servono fino a N − 1
interrogazioni; Grover richiede circa (π/4)√N iterazioni.</p>
<table>
<tr><th>Qubit</th><th>1 iterazione</th><th>2</th><th>3</th><th>4</th></tr>
<tr><td>2 (N = 4)</td><td>100%</td><td>25%</td><td>25%</td><td>100%</td></tr>
<tr><td>3 (N = 8)</td><td>78.125%</td><td>94.53125%</td><td>33.0078125%</td><td>1.220703125%</td></tr>
</table>
<p>La probabilità di leggere il valore marcato sale e poi scende di nuovo: più iterazioni non significa sempre
meglio. Lezioni 19, 20 e 21.</p>
<h3>Usare il laboratorio</h3>
<ol>
<li>Apri la scheda {6}. Scegli l'algoritmo e i suoi parametri: Grover (2–3 qubit, numero marcato, 1–4
iterazioni), Bernstein-Vazirani (1–4 bit di dati, segreto in decimale) oppure Deutsch (una delle quattro
funzioni f).</li>
<li>Premi <b>{188}</b>. Il circuito generato sostituisce il circuito di lavoro: salva prima le modifiche che
vuoi conservare.</li>
<li>Il pannello sottostante mostra l'oracolo, il metodo classico, le interrogazioni dei due metodi e la
lettura. Scegli un punto di controllo e premi <b>{178}</b>, oppure <b>{168}</b>, e osserva la probabilità
dell'uscita corretta al passo attuale accanto al valore ideale del circuito completo.</li>
<li>Leggi soltanto i qubit indicati dalla lettura: l'ausiliario di Deutsch e di Bernstein-Vazirani non fa parte
della risposta.</li>
</ol>
<blockquote>Qui si confrontano le interrogazioni all'oracolo, non i tempi di esecuzione: il simulatore stesso fa
il lavoro di 2<sup>n</sup> ampiezze.</blockquote>
)",
R"(<h2>The algorithm laboratory</h2>
<p>An <b>oracle</b> is a function f hidden inside a circuit: you may query it, but not read it. Algorithms are
compared by the number of queries they need. In Fasoria every oracle is built from the five primitive gates, so
you can walk through it step by step and see what it does to the amplitudes.</p>
<h3>Deutsch: constant or balanced?</h3>
<p>f maps one bit to one bit and is either constant (f(0) = f(1)) or balanced (f(0) ≠ f(1)). Classically f must
be evaluated twice. Fasoria prepares q0 in (|0&gt; + |1&gt;)/√2 and the ancilla q1 in (|0&gt; − |1&gt;)/√2 with
X q1, H q1, H q0; the oracle adds f(x) to q1 (X q1 for f(x) = 1 or 1 − x, CNOT(q0 → q1) for f(x) = x or
1 − x) and so writes (−1)<sup>f(x)</sup> into the phase of q0. A final H on q0 turns that phase into the
answer: q0 = 0 constant, q0 = 1 balanced, with a single query. Lessons 15, 16 and 17.</p>
<h3>Bernstein-Vazirani: a secret string in one query</h3>
<p>f(x) = s·x mod 2 hides a string s of n bits. Classically n queries are needed, one per basis vector. The data
qubits q0 … q(n−1) go into superposition, the ancilla qn into (|0&gt; − |1&gt;)/√2; the oracle is one
CNOT(qj → qn) for every bit j of s that is 1. After the final H gates the data register reads s with
certainty; the ancilla's measurement is random and carries no information. Lesson 18 hides s = 101
(q2 q1 q0).</p>
<h3>Grover: searching for a marked value</h3>
<p>Among N = 2<sup>n</sup> values one is marked. The oracle flips the sign of its amplitude: X on the qubits
whose bit of the marked value is 0, then CZ (2 qubits, 3 gates) or CCZ (3 qubits, 17 gates made of P(±45°) and
CNOT), then the same X gates again. The diffusion (H, X, CZ or CCZ, X, H on every qubit: 11 gates with 2 qubits,
29 with 3) reflects every amplitude about their average, and the marked one grows. Classically up to N − 1
queries are needed; Grover takes about (π/4)√N iterations.</p>
<table>
<tr><th>Qubits</th><th>1 iteration</th><th>2</th><th>3</th><th>4</th></tr>
<tr><td>2 (N = 4)</td><td>100%</td><td>25%</td><td>25%</td><td>100%</td></tr>
<tr><td>3 (N = 8)</td><td>78.125%</td><td>94.53125%</td><td>33.0078125%</td><td>1.220703125%</td></tr>
</table>
<p>The probability of reading the marked value rises and then falls again: more iterations are not always
better. Lessons 19, 20 and 21.</p>
<h3>Using the laboratory</h3>
<ol>
<li>Open the {6} tab. Choose the algorithm and its parameters: Grover (2–3 qubits, marked number, 1–4
iterations), Bernstein-Vazirani (1–4 data bits, secret in decimal) or Deutsch (one of the four functions
f).</li>
<li>Press <b>{188}</b>. The generated circuit replaces the working circuit: save the edits you want to keep
first.</li>
<li>The panel below shows the oracle, the classical method, the queries of both methods and the readout.
Choose a checkpoint and press <b>{178}</b>, or <b>{168}</b>, and watch the probability of the correct output at
the current step next to the ideal value of the complete circuit.</li>
<li>Read only the qubits the readout names: the ancilla of Deutsch and Bernstein-Vazirani is not part of the
answer.</li>
</ol>
<blockquote>What is compared here is oracle queries, not running time: the simulator itself does the work of
2<sup>n</sup> amplitudes.</blockquote>
)"};

const TextPair kExamplesBody = {
R"(<h2>Esercizi: dimostrazioni e sfide</h2>
<p>Le lezioni 01–04 sono dimostrazioni pronte: il circuito c'è già e ogni passo spiega che cosa ha fatto. Le
lezioni 05–14 sono sfide: il circuito parte vuoto, lo costruisci tu e il programma lo verifica. Le lezioni
15–21 sono le lezioni sugli algoritmi della scheda {6}.</p>
<h3>Dimostrazioni 01–04</h3>
<p>Scegli la lezione, fai una previsione, poi premi <b>{23}</b> per ogni porta e leggi la spiegazione.</p>
{demonstrations}
<h3>Sfide 05–14</h3>
<ol>
<li>Scegli la sfida nell'elenco delle lezioni: il suo obiettivo compare nella scheda {5}.</li>
<li>Nella scheda {7} scegli porta, bersaglio e, se serve, controllo o angolo, poi premi <b>{100}</b>; la fase 0
inserisce all'inizio.</li>
<li>Percorri il tuo circuito passo per passo e osserva come cambiano le ampiezze.</li>
<li>Premi <b>{150}</b>: lo stato finale viene confrontato con quello richiesto tramite la fedeltà, che ignora
una fase globale, e si controllano le regole sulle porte della tabella.</li>
<li>Il pulsante <b>{151}</b> rivela fino a tre suggerimenti, dal più discreto al più esplicito.</li>
</ol>
{challenges}
<blockquote>Probabilità uguali non sono ancora lo stesso stato: (|0&gt; + |1&gt;)/√2 e (|0&gt; − |1&gt;)/√2 danno
entrambi 50% e 50%, eppure la loro fedeltà è 0. La lezione 13 chiede proprio questa differenza.</blockquote>
)",
R"(<h2>Exercises: demonstrations and challenges</h2>
<p>Lessons 01–04 are ready-made demonstrations: the circuit is already there and every step explains what it
did. Lessons 05–14 are challenges: the circuit starts blank, you build it and the program checks it. Lessons
15–21 are the algorithm lessons of the {6} tab.</p>
<h3>Demonstrations 01–04</h3>
<p>Choose the lesson, make a prediction, then press <b>{23}</b> for every gate and read the explanation.</p>
{demonstrations}
<h3>Challenges 05–14</h3>
<ol>
<li>Choose the challenge in the lesson list: its goal appears in the {5} tab.</li>
<li>In the {7} tab choose gate, target and, where needed, control or angle, then press <b>{100}</b>; stage 0
inserts at the beginning.</li>
<li>Walk through your circuit step by step and watch the amplitudes change.</li>
<li>Press <b>{150}</b>: the final state is compared with the required one by fidelity, which ignores a global
phase, and the gate rules of the table are checked.</li>
<li>The <b>{151}</b> button reveals up to three hints, from gentle to explicit.</li>
</ol>
{challenges}
<blockquote>Equal probabilities are not yet the same state: (|0&gt; + |1&gt;)/√2 and (|0&gt; − |1&gt;)/√2 both
give 50% and 50%, yet their fidelity is 0. Lesson 13 asks for exactly this difference.</blockquote>
)"};

const TextPair kDemonstrationNotes[4] = {
    {"Dopo H le righe |0> e |1> hanno la stessa ampiezza 0.7071: misura, ricomincia e misura di nuovo qualche "
     "volta, poi ripeti 1000 preparazioni e confronta le frequenze con il 50%.",
     "After H the rows |0> and |1> have the same amplitude 0.7071: measure, restart and measure again a few "
     "times, then repeat 1000 preparations and compare the frequencies with 50%."},
    {"La seconda H non mescola di più: i due contributi a |1> hanno segni opposti e si annullano. "
     "L'interferenza cancella l'incertezza.",
     "The second H does not mix any further: the two contributions to |1> have opposite signs and cancel. "
     "Interference undoes the uncertainty."},
    {"Dopo la CNOT restano soltanto |00> e |11>. Misura: i due bit coincidono sempre, eppure ciascuno da solo è "
     "casuale.",
     "After the CNOT only |00> and |11> remain. Measure: the two bits always agree, yet each one alone is "
     "random."},
    {"Dopo Z le probabilità sono le stesse, ma la freccia di |1> punta dalla parte opposta. L'ultima H trasforma "
     "quel segno nell'esito certo |1>.",
     "After Z the probabilities are the same, but the arrow of |1> points the other way. The last H turns that "
     "sign into the certain outcome |1>."},
};

const TextPair kLessonColumn = {"Lezione", "Lesson"};
const TextPair kQuestionColumn = {"Domanda", "Question"};
const TextPair kWatchColumn = {"Che cosa osservare", "What to watch"};
const TextPair kGoalColumn = {"Obiettivo", "Goal"};
const TextPair kQubitsColumn = {"Qubit", "Qubits"};
const TextPair kRequiredColumn = {"Porte richieste", "Required gates"};
const TextPair kMinimumColumn = {"Porte minime", "Minimum gates"};
// clang-format on

} // namespace Fasoria::ReferenceTexts
